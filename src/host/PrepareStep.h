// The set-up the about and prepare steps share, and the prepare step's
// first-start seeding of the built-in presets.
#pragma once

// Loads the language list, makes the stored language current and resets
// the interface's colour rings to their built-in values.
void PrepareLanguageAndSkin();

// Writes the built-in presets while "First start" is missing or non-zero,
// then sets it to 0, so the user's changes are never overwritten again.
void SeedPresetsOnFirstStart();
