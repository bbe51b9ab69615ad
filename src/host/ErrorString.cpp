#include "host/ErrorString.h"

#include <cstring>

void StoreErrorString(Str255& target, const std::string& text)
{
    const size_t length = text.size() < 255 ? text.size() : 255;
    target[0] = static_cast<unsigned char>(length);
    std::memcpy(target + 1, text.data(), length);
    if (length < 255)
        target[1 + length] = 0;
}
