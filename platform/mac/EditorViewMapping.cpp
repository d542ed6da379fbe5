#include "platform/mac/EditorViewMapping.h"

#include <cmath>
#include <cstdio>

#include "framework/TruncateToInt.h"
#include "graphics/IGraphicsStructs.h"
#include "graphics/IPopupMenu.h"

int EditorKeyCode(unsigned keyCode, unsigned character) {
  switch (keyCode) {
    case 49: return KEY_SPACE;
    case 126: return KEY_UPARROW;
    case 125: return KEY_DOWNARROW;
    case 123: return KEY_LEFTARROW;
    case 124: return KEY_RIGHTARROW;
    default: break;
  }
  const int c = static_cast<int>(character);
  if (c >= '0' && c <= '9') return c - 43;
  if (c >= 'A' && c <= 'Z') return c - 50;
  if (c >= 'a' && c <= 'z') return c - 82;
  return -1;
}

bool EditorMousePosition(double px, double py, bool yUp, int height, int* x, int* y) {
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  *x = TruncateToInt(std::trunc(px) - 2.0);
  *y = TruncateToInt(yUp ? height - std::trunc(py) - 3.0 : std::trunc(py) - 3.0);
  return true;
}

std::string PrefixedMenuTitle(const IPopupMenu* menu, int index, const char* text) {
  static const char* const kFormats[] = {"", "%1d: ", "%02d: ", "%03d: "};
  const int mode = menu->mPrefix;
  char prefix[16] = "";
  if (mode > 0 && mode < 4) std::snprintf(prefix, sizeof(prefix), kFormats[mode], index + 1);
  return std::string(prefix) + (text ? text : "");
}

const char* AcceptableCharacters(IParam::EParamType type) {
  switch (type) {
    case IParam::kTypeDouble: return "0123456789.-+";
    case IParam::kTypeBool:
    case IParam::kTypeInt:
    case IParam::kTypeEnum: return "0123456789-+";
    default: return "";
  }
}
