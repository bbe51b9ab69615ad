#include "host/PlugInApp.h"

#include "host/ErrorString.h"
#include "host/FilterRun.h"
#include "host/HostFailure.h"
#include "host/PrepareStep.h"
#include "host/RunRequest.h"
#include "params/RegistryStore.h"
#include "ui/dialogs/MainDlg.h"

namespace {

const char* const kNoRecordText = "pFilterRecord == NULL in CMFCPlugInApp::Entry";

}  // namespace

CMFCPlugInApp::CMFCPlugInApp() : m_strProductName(kSettingsProduct) {}

CMFCPlugInApp& TheApp()
{
    static CMFCPlugInApp app;
    return app;
}

void CMFCPlugInApp::Entry(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result)
{
    int16_t ignored = 0;
    int16_t& out = result ? *result : ignored;
    out = HostResult::kNoErr;
    // Only a filter record has an errorString; the about record ends long
    // before where it would be.
    FilterRecord* reportTo = selector == Selector::kAbout ? nullptr : static_cast<FilterRecord*>(paramBlock);
    try {
        if (!paramBlock)
            throw CTextFailure(kNoRecordText);
        m_nSelector = selector;
        m_pData = data;
        m_pFilterRecord = reportTo;
        m_pAboutRecord = selector == Selector::kAbout ? static_cast<AboutRecord*>(paramBlock) : nullptr;
        SetSettingsCompany(kSettingsCompany);
        Dispatch(selector);
        if (m_pFilterRecord)
            UnlockDataHandle();
    } catch (const CTextFailure& failure) {
        OutputDebugStringA(failure.Text().c_str());
        if (reportTo && reportTo->errorString)
            StoreErrorString(*reportTo->errorString, failure.Text());
        out = HostResult::kReportString;
    } catch (const CCodeFailure& failure) {
        out = failure.Code();
    } catch (...) {
        out = -1;
    }
}

void CMFCPlugInApp::Dispatch(int16_t selector)
{
    switch (selector) {
    case Selector::kAbout:
        OnAbout();
        break;
    case Selector::kParameters:
        OnParameters();
        break;
    case Selector::kPrepare:
        OnPrepare();
        break;
    case Selector::kStart:
        OnStart();
        break;
    case Selector::kContinue:
        OnContinue();
        break;
    case Selector::kFinish:
        OnFinish();
        break;
    default:
        break;  // selectors we do not know: nothing to do
    }
}

HWND CMFCPlugInApp::GetOwnerWindow() const
{
    const PlatformData* platform = m_pAboutRecord    ? m_pAboutRecord->platformData
                                   : m_pFilterRecord ? m_pFilterRecord->platformData
                                                     : nullptr;
    if (!platform)
        return nullptr;
    HWND window = static_cast<HWND>(platform->hwnd);
    return window && IsWindow(window) ? window : nullptr;
}

void CMFCPlugInApp::OnAbout()
{
    // Only the about record's platformData may be read here.
    PrepareLanguageAndSkin();
    // A main dialog object without a window: it loads the stored style and
    // colours and is the current main dialog the About box takes its skin
    // from.
    CMainDlg skin;
    skin.ShowAbout(AboutOwnerWindow());
}

HWND CMFCPlugInApp::AboutOwnerWindow() const
{
    // A window of another thread (hosts that call from a worker thread)
    // would tie that thread's input to ours and could wait on us while we
    // wait on it: such a box is shown without an owner.
    HWND owner = GetOwnerWindow();
    if (owner != nullptr && ::GetWindowThreadProcessId(owner, nullptr) != ::GetCurrentThreadId())
        owner = nullptr;
    return owner;
}

void CMFCPlugInApp::OnParameters() { m_bSkipDialog = false; }

void CMFCPlugInApp::OnPrepare()
{
    PrepareLanguageAndSkin();
    SeedPresetsOnFirstStart();
}

void CMFCPlugInApp::OnStart()
{
    RunFilter(*m_pFilterRecord);
    // The whole image was fetched and written within this step. Left
    // standing, the request would make a host deliver the rectangles once
    // more for the continue step and then write back that second output
    // buffer, which the plug-in never touches: with a host that does not
    // copy the image into it, that would replace the result with junk.
    RequestNoMoreData(*m_pFilterRecord);
}

void CMFCPlugInApp::OnContinue() { RequestNoMoreData(*m_pFilterRecord); }

void CMFCPlugInApp::OnFinish() { m_bSkipDialog = true; }

void CMFCPlugInApp::UnlockDataHandle() const
{
    // We never allocate the data handle; a host that put one there gets it
    // unlocked, as it expects.
    if (!m_pData || *m_pData == 0)
        return;
    const HandleProcs* procs = m_pFilterRecord->handleProcs;
    if (procs && procs->unlockProc)
        procs->unlockProc(reinterpret_cast<Handle>(*m_pData));
}
