// A whole file read into memory of our own. (Not mapped: a file cut short
// by another program while it is mapped kills the reader with SIGBUS, where
// reading it merely comes up short.)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/LargeMemory.h"

// False for a missing, unreadable or empty file, a directory, or one that
// changes size while it is read; never throws for the file.
bool ReadFileBytes(const std::string& path, LargeVector<uint8_t>& bytes);

// At most the first `count` bytes of a file (fewer when it is shorter);
// false where ReadFileBytes is.
bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>& bytes);
