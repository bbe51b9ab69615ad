#include "UiWindows.h"

#include "WicPng.h"

namespace {

const UINT kSyncMessage = WM_APP + 0x5A;
const char kSyncClass[] = "VeydraHostUiSync";

struct ThreadSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    ThreadSearch* search = reinterpret_cast<ThreadSearch*>(param);
    if (::IsWindowVisible(window) && ClassOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

// A top-down 32-bit DIB section of width x height with a memory DC.
struct Capture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;

    bool Take(HWND window)
    {
        RECT rect;
        if (!::GetWindowRect(window, &rect))
            return false;
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        if (bitmap == nullptr)
            return false;
        bits = static_cast<uint8_t*>(pixels);
        dc = ::CreateCompatibleDC(nullptr);
        old = ::SelectObject(dc, bitmap);
        HDC source = ::GetWindowDC(window);
        const BOOL copied = ::BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        ::ReleaseDC(window, source);
        ::GdiFlush();
        return copied != FALSE;
    }
    ~Capture()
    {
        if (dc != nullptr) {
            ::SelectObject(dc, old);
            ::DeleteDC(dc);
        }
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
};

}  // namespace

CUiSync::CUiSync() : m_hWnd(nullptr), m_hAnswered(::CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CUiSync::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kSyncClass;
    ::RegisterClassA(&windowClass);  // fails harmlessly when registered before
    m_hWnd = ::CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CUiSync::~CUiSync()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    ::CloseHandle(m_hAnswered);
}

LRESULT CALLBACK CUiSync::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSyncMessage) {
        CUiSync* self = reinterpret_cast<CUiSync*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        self->m_nHandled = static_cast<unsigned>(wParam);
        ::SetEvent(self->m_hAnswered);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool CUiSync::CatchUp(DWORD timeoutMs)
{
    // Twice: a handler of a message posted before the first round may have
    // posted more (a control's notification to its dialog), which queues up
    // behind the first marker but ahead of the second.
    return Round(timeoutMs) && Round(timeoutMs);
}

bool CUiSync::Round(DWORD timeoutMs)
{
    const unsigned number = ++m_nPosted;
    if (!::PostMessageA(m_hWnd, kSyncMessage, number, 0))
        return false;
    const auto handled = [this, number] { return static_cast<int>(m_nHandled - number) >= 0; };
    const DWORD start = ::GetTickCount();
    while (!handled()) {
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= timeoutMs || ::WaitForSingleObject(m_hAnswered, timeoutMs - spent) == WAIT_FAILED)
            return handled();
    }
    return true;
}

std::vector<HWND> ThreadWindows(DWORD thread, const char* className)
{
    ThreadSearch search{className, {}};
    ::EnumThreadWindows(thread, &CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

POINT ChildCentre(HWND child)
{
    RECT client{};
    ::GetClientRect(child, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

void PostClick(HWND control, int x, int y)
{
    ::PostMessageA(control, WM_MOUSEMOVE, 0, PointParam(x, y));
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    ::PostMessageA(control, WM_LBUTTONUP, 0, PointParam(x, y));
}

void PostKey(HWND window, UINT key)
{
    const UINT scan = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    ::PostMessageA(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | scan << 16));
    ::PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(1 | scan << 16 | 3u << 30));
}

void InputMouseMove(int x, int y)
{
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height / 2) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void InputMouseButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD timeoutMs)
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

bool SaveWindowPicture(HWND window, const std::string& path, std::string& error)
{
    Capture capture;
    if (!capture.Take(window)) {
        error = "the window could not be captured";
        return false;
    }
    return WritePngFromBgrx(path, capture.width, capture.height, capture.bits, capture.width * 4, error);
}

bool PixelAt(HWND window, int x, int y, COLORREF& color)
{
    Capture capture;
    if (!capture.Take(window) || x < 0 || y < 0 || x >= capture.width || y >= capture.height)
        return false;
    const uint8_t* p = capture.bits + (static_cast<size_t>(y) * capture.width + x) * 4;
    color = RGB(p[2], p[1], p[0]);
    return true;
}
