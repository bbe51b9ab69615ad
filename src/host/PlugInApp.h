// The module's process-wide state and the dispatcher behind the exported
// entry points: it keeps the host's pointers for the current call, sends
// each selector to its step, and is the one place that turns failures into
// the host's result code and error text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "host/HostRecords.h"

class CMFCPlugInApp {
public:
    CMFCPlugInApp();

    // One host call. Always writes *result.
    void Entry(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result);

    // The filter record of the current call; null during the about step,
    // whose parameter block is an about record instead.
    FilterRecord* GetFilterRecord() const { return m_pFilterRecord; }

    // The host's window, when it gave a valid one; dialogs may use it as
    // their owner. Null otherwise.
    HWND GetOwnerWindow() const;

    // True: the next start renders without showing the dialog (a repeated
    // run). Cleared by the parameters step, set by the finish step, read and
    // updated by the main dialog.
    bool m_bSkipDialog = true;

    // "Veydra": the caption of the plug-in's messages.
    const std::string& GetProductName() const { return m_strProductName; }

private:
    void Dispatch(int16_t selector);
    void OnAbout();
    HWND AboutOwnerWindow() const;
    void OnParameters();
    void OnPrepare();
    void OnStart();
    void OnContinue();
    void OnFinish();
    void UnlockDataHandle() const;

    std::string m_strProductName;
    int16_t m_nSelector = -1;
    FilterRecord* m_pFilterRecord = nullptr;
    AboutRecord* m_pAboutRecord = nullptr;
    intptr_t* m_pData = nullptr;
};

// The application object; lives from module load to unload.
CMFCPlugInApp& TheApp();
