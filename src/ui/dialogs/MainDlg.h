// CMainDlg: the filter's working window, and the object that carries a run
// whether the window is shown or not.
//
// The filter run creates it, hands it the host's filter record, buffers and
// the run geometry, and runs it modally. Its controls hold the live shadow
// values; it owns the shadow scene and the skin (style and colours) every
// other dialog and control paints with. When no dialog is wanted (a repeated
// run, or scripting playback without one) it renders during its
// initialisation and ends before it is ever shown. The about step builds one
// without a window, only for its skin.
//
// The implementation is split by concern: MainDlg.cpp (life cycle, placement,
// OK and Cancel), MainDlgControls.cpp (controls <-> ShadowParams, presets,
// descriptors, the interface colours), MainDlgMenus.cpp (the three menus and
// the buttons that open them), MainDlgRender.cpp (timers, the shadow scene,
// the preview and the shadow colour), MainDlgZoom.cpp (the preview's zoom
// and the look at the original).
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "host/Descriptors.h"
#include "host/HostRecords.h"
#include "params/ShadowParams.h"
#include "engine/ShadowEngine.h"
#include "render/ShadowScene.h"
#include "ui/controls/ButtonST.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/HyperLink.h"
#include "ui/controls/IconSlider.h"
#include "ui/controls/PreviewBitmap.h"
#include "ui/controls/TranspStatic.h"
#include "ui/dialogs/MainDlgBindings.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

// The maker's pages: the home page (title, link, "Other Our Products") and
// the support page.
extern const char* const kMakerHomePage;
extern const char* const kMakerSupportPage;

class CMainDlg : public CToolDlg {
public:
    // One-shot timers of the dialog, all 200 ms.
    static constexpr UINT_PTR kFirstRenderTimer = 777;  // the shown dialog's first render
    static constexpr UINT_PTR kRenderTimer = 666;       // moved shadow: render again
    static constexpr UINT_PTR kRebuildTimer = 667;      // blur or intensity: plane, texture, render
    static constexpr UINT_PTR kResizeTimer = 888;       // the preview changed size
    static constexpr UINT kTimerMilliseconds = 200;

    // Loads the interface style and colours, becomes the current main
    // dialog. Creates no window.
    CMainDlg();
    ~CMainDlg() override;

    // The main dialog that exists right now, or null.
    static CMainDlg* GetCurrent() { return s_pCurrent; }

    // Runs the dialog: IDOK when the host's output holds the result,
    // IDCANCEL otherwise.
    INT_PTR DoModal();

    // A message to the user, with an icon resource (177 warning, 178
    // question) and a button set (0 Yes/No, 1 OK, 2 Yes/No/Cancel, 3
    // OK/Cancel, 4 none); returns the button's result (IDOK, IDYES, ...).
    int ShowMessage(const std::string& text, int iconId, int type);

    // The shadow values as the controls hold them. Setting them goes
    // through the sliders, which clamp into their ranges.
    ShadowParams GetParams() const;
    void SetParams(const ShadowParams& params, bool repaint);

    // The last-used set (section "") or a preset; with repaint the controls
    // are redrawn and an existing preview re-rendered.
    void loadParameterSet(const std::string& section, bool repaint);
    void saveParameterSet(const std::string& section);
    // The user presets in the store's order, and deleting one by name: the
    // services of the presets menu and the Manage presets dialog.
    std::vector<std::string> enumeratePresets() const;
    void deletePreset(const std::string& name);

    // The host's scripting descriptor: played back over the current values,
    // or recorded from them.
    DescriptorPlayMode readDescriptor();
    void writeDescriptor();

    CSkinState& Skin() { return m_skin; }

    // The About box, modal, owned by `owner` (null or not a window: none).
    void ShowAbout(HWND owner);

    // Set by the filter run before the dialog runs: the host's record, and
    // the engine on the host's document, its object found.
    FilterRecord* m_pFilterRecord = nullptr;
    const CShadowEngine* m_pEngine = nullptr;

    // The one parameter no control holds (a ShadowPosition).
    int shadowPosition = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    // MainDlg.cpp
    void AttachControls();
    void SetAnchors();
    void RestorePlacement();
    void StorePlacement();
    void RenderWithoutDialog();
    // Played back without the dialog, shadow-only on a flat image: says so
    // and ends the run as cancelled, before anything is written.
    void RefuseShadowOnlyOnFlatImage();
    // Keeps the failure of a handler for DoModal to rethrow, and ends.
    void KeepFailure();

    // MainDlgControls.cpp
    CIconSlider* FindSlider(int id);
    void InitSliders();
    void SetOutside(bool outside, bool repaint);
    bool IsOutside() const;
    void ColourSliders();
    void ColourButtons();
    void TranslateTexts();
    // Re-translates and re-colours every control, then redraws the dialog.
    void ApplyInterface();
    void StoreStyle(int32_t style);
    void ChooseControlColor();
    void ChooseWindowColor();
    void StoreSkinColor(const char* settingName, COLORREF color);

    // MainDlgMenus.cpp
    UINT TrackMenu(HMENU popup, int buttonId, const char* section);
    void OnMainMenu(int buttonId);
    void OnMainMenuCommand(UINT command);
    void OnPresetsMenu();
    void OnPresetsCommand(UINT command, const std::vector<std::string>& presets);
    void OnPositionMenu();
    void OpenWebPage(const char* address);

    // MainDlgSecondary.cpp
    void SavePresetAs();
    void ManagePresets();

    // MainDlgZoom.cpp
    static int StoredZoom();
    void InitZoomControls();
    // The drop-down's items and the tooltips in the current language.
    void UpdateZoomTexts();
    double PreviewFitScale() const;
    // Shows the preview at `zoom`, the image point under `at` (preview
    // client coordinates; null: the middle) staying where it is.
    void SetZoom(int zoom, const POINT* at);
    void StepZoom(bool in, const POINT* at);
    bool OnZoomCommand(int id, int code);
    bool OnZoomKey(WPARAM character);
    void OnZoomWheel(WPARAM wParam, LPARAM lParam);
    void OnOriginalChanged();
    // Fills the view buffer: the result, or the original while it is asked for.
    void ComposeView();
    void StoreZoom();

    // MainDlgRender.cpp
    // The document has transparency to hold the shadow alone (false without
    // a run).
    bool DocumentHasTransparency() const;
    const RunGeometry& Geometry() const { return m_pEngine->Geometry(); }
    static bool IsDialogTimer(UINT_PTR id);
    bool HasScene() const;
    bool SceneHasTexture() const;
    bool HasViewBuffer() const;
    PixelRect ImageExtent() const;
    void ArmTimer(UINT_PTR id);
    void DisarmTimer(UINT_PTR id);
    bool IsArmed(UINT_PTR id) const;
    void OnTimer(UINT_PTR id);
    // The preview's scene from the engine's picture, with plane and
    // texture, bound to the preview.
    void BuildScene();
    void OnFirstRender();
    void ReleaseScene();
    void RenderPreview();
    void RebuildAndRender();
    void RedrawPreview(bool now);
    void RefitPreview();
    void OnPreviewPan();
    void OnSliderCommand(int id);
    void OnOutsideCommand();
    void OnShadowOnlyCommand();
    void OnColorCommand();
    bool PickShadowColor(COLORREF& color);
    void ApplyShadowColor();
    // Before the confirming render: no timer fires any more.
    void FlushPendingChanges();

    static CMainDlg* s_pCurrent;

    // First, so that it is current before any control is constructed.
    CSkinState m_skin;

    CButtonST m_btnMenuIcon;
    CButtonST m_btnClose;
    CButtonST m_btnMenu;
    CButtonST m_btnPresets;
    CButtonST m_btnPosition;
    CButtonST m_btnOutside;
    CButtonST m_btnOK;
    CButtonST m_btnCancel;
    CButtonST m_btnZoomIn;
    CButtonST m_btnZoomOut;
    CColorButton m_btnColor;
    CIconSlider m_sliders[kSliderCount];
    CTranspStatic m_labels[kSliderCount];
    CHyperLink m_link;
    CPreviewBitmap m_preview;

    // The values while there is no window; with one, the values no control
    // holds (shadow-only, toggled from the shadow-position menu).
    ShadowParams m_params;
    std::unique_ptr<CShadowScene> m_pScene;
    unsigned m_nArmedTimers = 0;       // one bit per timer above, while it runs
    COLORREF m_crSceneColor = 0;       // the colour the scene's texture was built with
    std::exception_ptr m_failure;
    int m_nZoom = 0;             // the preview's zoom level (PreviewZoom)
    bool m_bZoomChosen = false;  // changed by the user: stored at the end
    int m_nWheelRest = 0;        // wheel turns short of a notch
    HWND m_hZoomTips = nullptr;
};
