// A skinned frame that records the system moves and sizes it asks for,
// instead of entering the system's modal move loop, so tests can press its
// edges and caption with real mouse messages and read what was hit.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/skin/ToolDlg.h"

class CRecordingFrame : public CToolDlg {
public:
    CRecordingFrame(int id, bool resizable) : CToolDlg(id, nullptr) { SetResizable(resizable); }
    std::vector<WPARAM> hits;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCLBUTTONDOWN) {
            hits.push_back(wParam);
            return 0;
        }
        return CToolDlg::WindowProc(message, wParam, lParam);
    }
};
