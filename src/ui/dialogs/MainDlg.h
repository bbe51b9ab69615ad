// CMainDlg: the object that carries a filter run, shown or not.
//
// For now it has no window: it holds the run (the host's filter record,
// its buffers and the run geometry), the interface colours and style, the
// current shadow values and the shadow scene, and it does the work of a run
// that needs no dialog (a repeated run, or scripting playback without one).
// The dialog window, its controls and its handlers are built on top of this
// later; the values held in m_params then live in the controls.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Descriptors.h"
#include "host/HostRecords.h"
#include "params/ShadowParams.h"
#include "render/HostBuffers.h"
#include "render/RunGeometry.h"
#include "render/ShadowScene.h"

class CMainDlg {
public:
    // Loads the interface colours and style and becomes the current main
    // dialog.
    CMainDlg();
    ~CMainDlg();
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    // The main dialog that exists right now, or null.
    static CMainDlg* GetCurrent() { return s_pCurrent; }

    // Runs the dialog: IDOK when the host's output holds the result,
    // IDCANCEL otherwise.
    INT_PTR DoModal();

    // A message to the user, with an icon resource (177 warning, 178
    // question) and a button set (0 Yes/No, 1 OK, 2 Yes/No/Cancel, 3
    // OK/Cancel, 4 none); returns the button's result (IDOK, IDYES, ...).
    int ShowMessage(const std::string& text, int iconId, int type);

    // The thirteen values as the controls hold them; setting them clamps
    // the slider values into their ranges, as the sliders do.
    ShadowParams GetParams() const;
    void SetParams(const ShadowParams& params);

    // The last-used set (section "") or a preset.
    void loadParameterSet(const std::string& section, bool repaint);
    void saveParameterSet(const std::string& section);

    // The user presets in the store's order, and deleting one by name: the
    // services of the Manage presets dialog.
    std::vector<std::string> enumeratePresets();
    void deletePreset(const std::string& name);

    // The host's scripting descriptor: played back over the current values,
    // or recorded from them.
    DescriptorPlayMode readDescriptor();
    void writeDescriptor();

    // Set by the filter run before the dialog runs.
    FilterRecord* m_pFilterRecord = nullptr;
    HostBuffers m_host;
    RunGeometry m_geometry;

    // The one parameter no control holds.
    int shadowPosition = 0;

    // Interface colours (COLORREF) and style, from the store.
    COLORREF m_crWindow = 0;
    COLORREF m_crControl = 0;
    int m_nStyle = 0;

private:
    void OnInitDialog();
    void RenderWithoutDialog();
    void OnOK();

    ShadowParams m_params;  // the slider, colour and "Only Outside" values
    std::unique_ptr<CShadowScene> m_pScene;
    INT_PTR m_nResult = IDCANCEL;

    static CMainDlg* s_pCurrent;
};
