#include "ui/framework/ScaledArt.h"

#include "win/ThisModule.h"

HICON LoadScaledIcon(int id, int size96, CDpiScale scale)
{
    const int size = scale.Px(size96);
    return static_cast<HICON>(::LoadImageA(ThisModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

HCURSOR LoadScaledCursor(int id, int size96, CDpiScale scale)
{
    const int size = scale.Px(size96);
    return static_cast<HCURSOR>(::LoadImageA(ThisModule(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, size, size, 0));
}

namespace {

// The icon group's directory as it sits in the resource (RT_GROUP_ICON):
// a 6-byte header, then 14-byte entries whose first byte is the width.
int FirstDrawingWidth(int id)
{
    HMODULE module = ThisModule();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const unsigned char* bytes = loaded != nullptr ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr || ::SizeofResource(module, found) < 6 + 14)
        return 0;
    const int count = bytes[4] | bytes[5] << 8;
    if (count < 1)
        return 0;
    return bytes[6] != 0 ? bytes[6] : 256;
}

}  // namespace

HICON LoadScaledIconAtOwnSize(int id, CDpiScale scale)
{
    const int size96 = FirstDrawingWidth(id);
    if (size96 <= 0)
        return nullptr;
    return LoadScaledIcon(id, size96, scale);
}
