// Counts of the process's window-system objects, for tests that prove
// painting and dialogs leak nothing.
//
// GDI objects: GetGuiResources where it works (Windows). Wine answers it
// with 0, so there the count is taken from the process's GDI handle table,
// which the PEB's GdiSharedHandleTable points to and which Wine fills as
// Windows does: every live object has a non-zero type in its entry. Icons
// and cursors hold GDI bitmaps, so their leaks show here too.
#pragma once

#include <windows.h>

// -1 if neither source is available.
int CountGdiObjects();

// How the GDI count was taken: "GetGuiResources" or "GDI handle table".
const char* GdiCountSource();

// Windows of the calling thread, top-level and children (a stand-in for the
// user-object count, which Wine does not report either).
int CountThreadWindows();
