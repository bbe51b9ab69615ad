#include "ui/framework/Wnd.h"

#include <vector>

#include "ui/framework/Timers.h"

namespace {

// The property that ties a window to its object.
const char kObjectProperty[] = "Veydra.CWnd";

}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandle(HWND window)
{
    if (window == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(window, kObjectProperty));
}

bool CWnd::SubclassWindow(HWND window)
{
    if (window == nullptr || !::IsWindow(window) || m_hWnd != nullptr || FromHandle(window) != nullptr)
        return false;
    m_hWnd = window;
    PreSubclassWindow();
    if (!::SetPropA(window, kObjectProperty, this)) {
        m_hWnd = nullptr;
        return false;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent)
{
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = m_hWnd;
    if (window == nullptr)
        return nullptr;
    if (::IsWindow(window)) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(window, kObjectProperty);
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return window;
}

std::string CWnd::GetText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0)
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

RECT CWnd::GetClientRect() const
{
    RECT rect{0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{0, 0, 0, 0};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetChildRect(int id) const
{
    RECT rect{0, 0, 0, 0};
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (child == nullptr)
        return rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CWnd::ModifyStyle(LONG_PTR remove, LONG_PTR add)
{
    const LONG_PTR style = GetStyle();
    const LONG_PTR changed = (style & ~remove) | add;
    if (changed != style)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
}

void CWnd::SetTimer(UINT_PTR id, UINT milliseconds)
{
    if (m_hWnd != nullptr)
        TimerService().Set(m_hWnd, id, milliseconds);
}

void CWnd::KillTimer(UINT_PTR id)
{
    if (m_hWnd != nullptr)
        TimerService().Kill(m_hWnd, id);
}

void CWnd::NotifyParent(WORD code) const
{
    ::PostMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), code),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

bool CWnd::PreTranslateMessage(MSG*) { return false; }

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper == nullptr)
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = nullptr;
    switch (message) {
    case WM_DRAWITEM:
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
        child = reinterpret_cast<HWND>(lParam);
        break;
    default:
        return false;
    }
    CWnd* control = FromHandle(child);
    return control != nullptr && control->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result))
        return result;
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* object = FromHandle(window);
    if (object == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The last message: let the original procedure see it, then let go.
        WNDPROC super = object->m_pfnSuper;
        object->UnsubclassWindow();
        return super != nullptr ? ::CallWindowProcA(super, window, message, wParam, lParam)
                                : ::DefWindowProcA(window, message, wParam, lParam);
    }
    return object->WindowProc(message, wParam, lParam);
}
