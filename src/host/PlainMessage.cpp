#include "host/PlainMessage.h"

#include <windows.h>

void ShowPlainMessage(const char* text) { MessageBoxA(nullptr, text, "", MB_OK); }
