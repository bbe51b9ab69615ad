// The standard controls our skinned controls are built on: thin wrappers
// over their window messages, only as far as the skinned controls use them.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
};

class CStatic : public CWnd {
};

// A trackbar ("msctls_trackbar32").
class CSliderCtrl : public CWnd {
public:
    int GetRangeMin() const { return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0)); }
    int GetRangeMax() const { return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0)); }
    void SetRange(int min, int max, bool redraw)
    {
        ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, FALSE, min);
        ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, redraw ? TRUE : FALSE, max);
    }
    int GetPos() const { return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0)); }
    void SetPos(int pos) { ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, pos); }
    int GetPageSize() const { return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETPAGESIZE, 0, 0)); }
    void SetPageSize(int size) { ::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, size); }
};
