#include "host/PrepareStep.h"

#include "lang/Language.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"

void PrepareLanguageAndSkin()
{
    LoadAppLanguage();
    // The skin's ring table is reset here once the skinned interface exists;
    // nothing draws with it before then.
}

void SeedPresetsOnFirstStart() { SeedBuiltInPresets(AppSettings()); }
