// Stands in for the Appearance Manager's theme cursors (Appearance) on Linux: the cursor set last is kept for tests to read.
#pragma once

#include "platform/standin/MacTypes.h"

typedef UInt32 ThemeCursor;
enum : ThemeCursor { kThemeArrowCursor = 0, kThemeIBeamCursor = 4 };

OSStatus SetThemeCursor(ThemeCursor cursor);

namespace standin {

ThemeCursor CurrentThemeCursor();

}  // namespace standin
