// A skinned frame holding the preview control 1006 (template
// IDD_TEST_PREVIEW), standing in for the main dialog that will hold it.
#pragma once

#include "UiTestIds.h"
#include "ui/controls/PreviewBitmap.h"
#include "ui/skin/ToolDlg.h"

class CPreviewFrame : public CToolDlg {
public:
    CPreviewFrame() : CToolDlg(IDD_TEST_PREVIEW, nullptr) {}
    CPreviewBitmap m_preview;

protected:
    BOOL OnInitDialog() override
    {
        CToolDlg::OnInitDialog();
        m_preview.SubclassDlgItem(IDC_TEST_PREVIEW, this);
        return TRUE;
    }
};
