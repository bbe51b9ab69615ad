#include "host/PrepareStep.h"

#include "lang/Language.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "ui/skin/Skin.h"

void PrepareLanguageAndSkin()
{
    LoadAppLanguage();
    // A control that swapped in its own rings and never gave them back
    // (a paint cut short) must not change the look of the next dialog.
    ResetRingTable();
}

void SeedPresetsOnFirstStart() { SeedBuiltInPresets(AppSettings()); }
