#include "platform/standin/Appearance.h"

namespace {

ThemeCursor gCursor = kThemeArrowCursor;

}  // namespace

OSStatus SetThemeCursor(ThemeCursor cursor) {
  gCursor = cursor;
  return noErr;
}

ThemeCursor standin::CurrentThemeCursor() { return gCursor; }
