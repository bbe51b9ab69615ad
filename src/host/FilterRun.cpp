#include "host/FilterRun.h"

#include "host/DocumentKind.h"
#include "host/HostFailure.h"
#include "host/PlainMessage.h"
#include "host/RunRequest.h"
#include "lang/Language.h"
#include "engine/ShadowEngine.h"
#include "ui/dialogs/MainDlg.h"

namespace {

const int kWarningIcon = 177;
const int kMessageOk = 1;

// Tells the user why there is no shadow, then ends the run as cancelled, so
// hosts show nothing more.
[[noreturn]] void Refuse(CMainDlg& dialog, RunRefusal refusal)
{
    dialog.ShowMessage(TheLanguage().Lookup("Msg", RefusalKey(refusal), RefusalText(refusal)), kWarningIcon,
                       kMessageOk);
    throw CCodeFailure(HostResult::kUserCanceled);
}

void FetchImage(FilterRecord& record)
{
    RequestWholeImage(record);
    if (!record.advanceState || record.advanceState() != HostResult::kNoErr)
        throw CTextFailure("advanceState no go!");
}

}  // namespace

void RunFilter(FilterRecord& record)
{
    // The registration resource keeps other modes away, but a host may still
    // call with one: say why nothing happens, before any pixel is asked for,
    // and end as a refusal does (the user has been told).
    const DocumentKind kind = KindOf(record);
    if (!kind.supported) {
        CMainDlg dialog;
        const std::string text = TheLanguage().Lookup("Msg", UnsupportedModeKey(record), UnsupportedModeText(record));
        dialog.ShowMessage(text, kWarningIcon, kMessageOk);
        throw CCodeFailure(HostResult::kUserCanceled);
    }
    // Fewer planes than the mode has colours: a fault of the host's.
    if (record.planes < kind.colours)
        throw CCodeFailure(HostResult::kFilterBadMode);
    // An empty filter rectangle (hosts give one for documents beyond their
    // limits) has no object; say so before asking the host for nothing.
    if (record.filterRect.IsEmpty()) {
        CMainDlg dialog;
        Refuse(dialog, RunRefusal::EmptyObject);
    }

    FetchImage(record);
    const BufferProblem problem = CheckBuffers(record);
    if (problem != BufferProblem::None) {
        ShowPlainMessage(BufferProblemText(problem));
        return;
    }

    CMainDlg dialog;  // registers as the current main dialog for ShowMessage
    // The engine finds the object; a grey or 16-bit document is seen through
    // its 8-bit reduction, and the result is laid over its own samples.
    const CShadowEngine engine(DocumentOf(record, kind));
    if (engine.Refusal() != RunRefusal::None)
        Refuse(dialog, engine.Refusal());

    dialog.m_pFilterRecord = &record;
    dialog.m_pEngine = &engine;
    if (dialog.DoModal() != IDOK)
        throw CCodeFailure(HostResult::kUserCanceled);
}
