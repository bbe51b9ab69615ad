// The maker's name and web addresses, in one place for a distributor to
// replace.
#pragma once

#define VEYDRA_MAKER_NAME "Tevra Ltd"
#define VEYDRA_MAKER_HOME_PAGE "https://tevra.example/"
#define VEYDRA_MAKER_SUPPORT_PAGE "https://tevra.example/support/"
