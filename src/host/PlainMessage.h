// Faults of the host exchange ("error in", "DisposeProc error", ...): a plain
// system message box with no owner and an empty caption. They are for
// whoever debugs a host, not for the user, so they are not translated.
#pragma once

void ShowPlainMessage(const char* text);
