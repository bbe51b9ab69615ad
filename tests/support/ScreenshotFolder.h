// Where the tests leave their pictures: build/<tree>/screenshots at 96 DPI,
// and a folder per density beside them ("dpi-144") when the display is set
// to another one, so the pictures of one dialog at every scale sit side by
// side for a person to compare.
#pragma once

#include <windows.h>

#include <string>

inline int ScreenDpiForPictures()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// `root` itself at 96 DPI, else root + "/dpi-N"; the folders are made.
inline std::string ScreenshotFolder(const std::string& root)
{
    ::CreateDirectoryA(root.c_str(), nullptr);
    const int dpi = ScreenDpiForPictures();
    if (dpi == 96)
        return root;
    const std::string folder = root + "/dpi-" + std::to_string(dpi);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
