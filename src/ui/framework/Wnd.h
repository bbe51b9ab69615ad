// CWnd: our thin wrapper of a window handle, in place of the dialog
// framework the user interface is modelled on.
//
// An object is bound to an existing window by subclassing it: the window's
// procedure is replaced by ours, which finds the object through a window
// property and hands every message to the virtual WindowProc. Whatever a
// handler does not want goes on to the original procedure (Default). The
// binding ends by itself when the window is destroyed.
//
// Notifications that Windows sends to a parent about one of its children
// (owner drawing, control colours, scrolling) are offered to the child's
// object first (OnChildNotify), so each control paints and colours itself.
#pragma once

#include <windows.h>

#include <string>

#include "ui/framework/WindowDpi.h"

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to `window`, or null.
    static CWnd* FromHandle(HWND window);

    // Binds this object to `window` (PreSubclassWindow runs first). False if
    // the window does not exist or another object already owns it.
    bool SubclassWindow(HWND window);
    // Binds this object to the child `id` of `parent`.
    bool SubclassDlgItem(int id, CWnd* parent);
    // Gives the window its original procedure back and returns it.
    HWND UnsubclassWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    std::string GetText() const;
    void SetText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window rectangle of child `id` in this window's client coordinates
    // (empty if there is no such child).
    RECT GetChildRect(int id) const;
    // The density of the display the window is on (the system's before the
    // window exists): every fixed size it draws goes through Px().
    CDpiScale GetDpiScale() const { return WindowScale(m_hWnd); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)); }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    void ModifyStyle(LONG_PTR remove, LONG_PTR add);

    // Timers go through the process-wide timer service (Timers.h), so tests
    // can deliver WM_TIMER themselves instead of waiting.
    void SetTimer(UINT_PTR id, UINT milliseconds);
    void KillTimer(UINT_PTR id);

    // Posts WM_COMMAND (own id, notification `code`, own handle) to the parent.
    void NotifyParent(WORD code = 0) const;

    // Called by the modal loop for messages bound for this window or one of
    // its children before they are dispatched; true consumes the message.
    virtual bool PreTranslateMessage(MSG* msg);
    // Owner drawing for this control, reflected from WM_DRAWITEM.
    virtual void DrawItem(DRAWITEMSTRUCT* item);

    HWND m_hWnd;

protected:
    virtual void PreSubclassWindow() {}
    // Every message of the window. Derived classes pass what they do not
    // handle to their base class's WindowProc; this one reflects child
    // notifications and otherwise calls Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification the parent received about this control. Return true
    // with *result set to answer it here; false lets the parent handle it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The original window procedure.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_pfnSuper;
};

// Point and rectangle helpers for message parameters.
inline POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
inline bool RectContains(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }
