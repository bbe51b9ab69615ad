#include "ui/dialogs/Credits.h"

#include "VeydraVersion.h"
#include "ui/dialogs/MakerInfo.h"

// Headings at the left, the lines under a heading three blanks in. People
// are named by their role. The first line carries the build's version, so
// the box never names another release than the file it comes from.
//
// The change log names what each release gave users, newest first; what
// lands before the next release is added at the end of its block.
const char* const kBuiltInCredits[] = {
    "Veydra " VEYDRA_VERSION,
    "Copyright (c) 2025 " VEYDRA_MAKER_NAME,
    "",
    "WWW",
    "   " VEYDRA_MAKER_HOME_PAGE,
    "",
    "Programming && Design",
    "   " VEYDRA_MAKER_NAME " engineering team",
    "",
    "Built on our own components",
    "   Two-pass resampler and its five kernels",
    "      " VEYDRA_MAKER_NAME " imaging group",
    "   Software 3D engine of the shadow plane",
    "      " VEYDRA_MAKER_NAME " rendering group",
    "   Skinned dialogs, buttons and sliders",
    "      " VEYDRA_MAKER_NAME " interface group",
    "",
    "Logo Picture",
    "   " VEYDRA_MAKER_NAME " design team",
    "",
    "Change Log",
    "   Version 2.1",
    "",
    "   - Zoomable preview, original on demand",
    "   - Softness: sharp at the foot, soft at the end",
    "   - Shadow Only, for a layer of its own",
    "   - 16-bit and Grayscale documents",
    "   - Sharp dialogs on high-DPI displays",
    "   - Batch work on the command line",
    "",
    "   Version 2.0",
    "",
    "   - 64-bit module added",
    "   - Command-line renderer 'veydra' added",
    "   - Language files shipped with the module",
    "   - Same pixels from every build and the renderer",
    "",
    "Thank you for using our Software!",
    nullptr,
};
