#include "host/FilterRun.h"

#include "host/DocumentKind.h"
#include "host/HostFailure.h"
#include "host/PlainMessage.h"
#include "host/RunRequest.h"
#include "lang/Language.h"
#include "render/DocumentReduction.h"
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
    // A grey or 16-bit document is seen by the engine through its 8-bit
    // reduction; the result is laid over the document's own samples.
    DocumentPlanes document;
    CDocumentReduction reduction;
    HostBuffers buffers;
    RunGeometry geometry;
    RunRefusal refusal = RunRefusal::None;
    if (kind.IsPlainRgb8()) {
        buffers = BuffersOf(record);
        refusal = ComputeRunGeometry(buffers, geometry);
    } else {
        document = DocumentOf(record, kind);
        dialog.m_pDocument = &document;
        if (document.HasTransparency() && !document.maskData) {
            refusal = reduction.ReduceLayerObject(document, buffers, geometry);
        } else {
            buffers = reduction.Reduce(document);
            refusal = ComputeRunGeometry(buffers, geometry);
        }
    }
    if (refusal != RunRefusal::None)
        Refuse(dialog, refusal);

    dialog.m_pFilterRecord = &record;
    dialog.m_host = buffers;
    dialog.m_geometry = geometry;
    if (dialog.DoModal() != IDOK)
        throw CCodeFailure(HostResult::kUserCanceled);
}
