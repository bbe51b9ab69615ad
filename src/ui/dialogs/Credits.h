// The credits that scroll over the About picture, null-terminated;
// an empty string is a blank line, and "&&" shows as one "&".
#pragma once

extern const char* const kBuiltInCredits[];
