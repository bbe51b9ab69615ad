#include "ui/controls/ColorChooser.h"

#include <commdlg.h>

namespace {

COLORREF g_customColors[16] = {
    0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
    0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
};

}  // namespace

bool ChooseColorDialog(HWND owner, COLORREF& color)
{
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner != nullptr && ::IsWindow(owner) ? owner : nullptr;
    choose.rgbResult = color & 0x00FFFFFF;
    choose.lpCustColors = g_customColors;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorA(&choose))
        return false;
    color = choose.rgbResult;
    return true;
}
