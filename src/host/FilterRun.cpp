#include "host/FilterRun.h"

#include "host/HostFailure.h"
#include "host/PlainMessage.h"
#include "host/RunRequest.h"
#include "lang/Language.h"
#include "render/RunGeometry.h"
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
    // Anything with fewer planes is not an RGB image; the registration
    // resource keeps such documents away, but a host may still send one.
    if (record.planes < 3)
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
    const HostBuffers buffers = BuffersOf(record);
    RunGeometry geometry;
    const RunRefusal refusal = ComputeRunGeometry(buffers, geometry);
    if (refusal != RunRefusal::None)
        Refuse(dialog, refusal);

    dialog.m_pFilterRecord = &record;
    dialog.m_host = buffers;
    dialog.m_geometry = geometry;
    if (dialog.DoModal() != IDOK)
        throw CCodeFailure(HostResult::kUserCanceled);
}
