// One `veydra render`: the plug-in's run without its dialog, on PNG files.
#pragma once

#include <iosfwd>

#include "Options.h"

// Throws CliError when the files or the image refuse; nothing is written then.
void RunRender(const RenderOptions& options, std::ostream& log);

void ListPresets(std::ostream& out);
