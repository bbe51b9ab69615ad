#include "ui/dialogs/Credits.h"

#include "ui/dialogs/MakerInfo.h"

// Headings at the left, the lines under a heading three blanks in. People
// are named by their role.
const char* const kBuiltInCredits[] = {
    "Veydra 2.0",
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
