// How long the two self-painting pictures take to paint under Wine: the
// preview control at 900 x 560 showing a full view buffer, and one frame of
// the About box's credits animation. Each figure is the median over batches
// of paints of the milliseconds one paint takes, painting to the screen
// (RedrawWindow with an immediate update) as the user sees it.
//
//     ui_paint_bench.exe [PAINTS_PER_BATCH]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "PreviewFrame.h"
#include "imaging/Dib.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/Credits.h"
#include "ui/skin/Skin.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The median over 7 batches of the time per call of `paint`.
template <class Paint>
double MedianMsPerPaint(int paints, Paint paint)
{
    std::vector<double> batches;
    paint();  // warm up
    for (int batch = 0; batch < 7; ++batch) {
        const double start = Now();
        for (int i = 0; i < paints; ++i)
            paint();
        batches.push_back((Now() - start) / paints);
    }
    std::sort(batches.begin(), batches.end());
    return batches[batches.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    CSkinState skin(nullptr);

    CPreviewFrame frame;
    if (!frame.Create())
        return 1;
    ::SetWindowPos(frame.m_hWnd, nullptr, 0, 0, 920, 600, SWP_NOZORDER | SWP_SHOWWINDOW);
    HWND preview = frame.m_preview.m_hWnd;
    ::SetWindowPos(preview, nullptr, 10, 32, 900, 560, SWP_NOZORDER);
    CDib view;
    frame.m_preview.SetImage(&view, PixelRect{0, 0, 4000, 3000}, false);
    frame.m_preview.ClampView();
    // A composite as the main dialog leaves it: opaque image, some of it
    // shadow, some transparent.
    for (int y = 0; y < view.GetHeight(); ++y)
        for (int x = 0; x < view.GetWidth(); ++x)
            view.Row(y)[x] = (x + y) % 5 == 0 ? 0x00000000u : 0xFF000000u | static_cast<ARGB>(x * 7 + y * 3);
    Pump();
    const double previewMs = MedianMsPerPaint(paints, [&] {
        ::RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    std::printf("preview paint, %d x %d view in a 900 x 560 control: %.2f ms\n", view.GetWidth(), view.GetHeight(),
                previewMs);
    ::DestroyWindow(frame.m_hWnd);

    CAboutDlg about(kBuiltInCredits, "");
    if (!about.Create())
        return 1;
    ::ShowWindow(about.m_hWnd, SW_SHOWNOACTIVATE);
    Pump();
    HWND picture = about.Picture().m_hWnd;
    about.Picture().Motion().m_nScrollPos = about.Picture().Motion().m_nBottom / 2;
    const double aboutMs = MedianMsPerPaint(paints, [&] {
        about.Picture().Motion().Tick();
        ::RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    const CDib& working = about.Picture().WorkingPicture();
    std::printf("About animation frame, %d x %d picture: %.2f ms (the timer asks for one every 10 ms)\n",
                working.GetWidth(), working.GetHeight(), aboutMs);
    ::DestroyWindow(about.m_hWnd);
    return 0;
}
