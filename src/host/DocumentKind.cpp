#include "host/DocumentKind.h"

#include "lang/LanguageKeys.h"

DocumentKind KindOf(const FilterRecord& r)
{
    DocumentKind k;
    switch (r.imageMode) {
    case ImageMode::kRGBColor:
        break;
    case ImageMode::kGrayScale:
        k.colours = 1;
        break;
    case ImageMode::kRGB48:
        k.depth = 16;
        break;
    case ImageMode::kGray16:
        k.colours = 1, k.depth = 16;
        break;
    case ImageMode::kBitmap:
        k.supported = r.planes >= 3;
        break;
    default:
        k.supported = false;
        break;
    }
    if (r.depth == kDepth16)
        k.depth = 16;
    else if (r.depth > kDepth16)
        k.supported = false;
    return k;
}

namespace {

enum class Refused { ThirtyTwoBit, Cmyk, Lab, Indexed, Other };

Refused RefusedKind(const FilterRecord& r)
{
    if (r.depth > kDepth16)
        return Refused::ThirtyTwoBit;
    switch (r.imageMode) {
    case ImageMode::kCMYKColor:
    case ImageMode::kCMYK64:
        return Refused::Cmyk;
    case ImageMode::kLab:
    case ImageMode::kLab48:
        return Refused::Lab;
    case ImageMode::kIndexedColor:
        return Refused::Indexed;
    case ImageMode::kRGB96:
    case ImageMode::kGray32:
        return Refused::ThirtyTwoBit;
    default:
        return Refused::Other;
    }
}

}  // namespace

const char* UnsupportedModeKey(const FilterRecord& r)
{
    switch (RefusedKind(r)) {
    case Refused::ThirtyTwoBit:
        return "err_mode_32bit";
    case Refused::Cmyk:
        return "err_mode_cmyk";
    case Refused::Lab:
        return "err_mode_lab";
    case Refused::Indexed:
        return "err_mode_indexed";
    case Refused::Other:
        break;
    }
    return "err_mode";
}

const char* UnsupportedModeText(const FilterRecord& r)
{
    // The English texts live with every other text a language file may
    // replace, so the shipped translations are held against them.
    return LanguageDefault(LanguageSection::kMsg, UnsupportedModeKey(r));
}

DocumentPlanes DocumentOf(const FilterRecord& r, const DocumentKind& kind)
{
    DocumentPlanes d;
    d.width = r.filterRect.Width();
    d.height = r.filterRect.Height();
    d.depth = kind.depth;
    d.colours = kind.colours;
    d.planes = r.planes;
    d.fullScale = kind.depth == 16 ? kSixteenBitFull : 255;
    d.inData = r.inData;
    d.inRowBytes = r.inRowBytes;
    d.outData = r.outData;
    d.outRowBytes = r.outRowBytes;
    if (r.haveMask && r.maskData) {
        d.maskData = static_cast<const uint8_t*>(r.maskData);
        d.maskRowBytes = r.maskRowBytes;
    }
    return d;
}
