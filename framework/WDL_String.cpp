#include "framework/WDL_String.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
int TextLength(const char* text, int maxLen) {
  if (!text) return 0;
  if (maxLen <= 0) return static_cast<int>(std::strlen(text));
  int n = 0;
  while (n < maxLen && text[n]) ++n;
  return n;
}
}  // namespace

const char* WDL_String::Get() const {
  const char* text = static_cast<const char*>(mHB.Get());
  return text ? text : "";
}

int WDL_String::GetLength() const { return static_cast<int>(std::strlen(Get())); }

void WDL_String::Set(const char* text, int maxLen) {
  const int length = TextLength(text, maxLen);
  if (length == 0 && mHB.GetSize() < 2) return;
  mHB.Resize(length + 1, false);
  if (mHB.GetSize() != length + 1) return;
  char* dest = static_cast<char*>(mHB.Get());
  if (length > 0) std::memmove(dest, text, length);
  dest[length] = '\0';
}

void WDL_String::Append(const char* text, int maxLen) {
  const int added = TextLength(text, maxLen);
  if (added == 0) return;
  const int oldLength = GetLength();
  // text may point into this string; keep its offset across a reallocation.
  const char* oldBase = static_cast<const char*>(mHB.Get());
  const bool inside = oldBase && text >= oldBase && text < oldBase + mHB.GetSize();
  const long long offset = inside ? text - oldBase : 0;
  mHB.Resize(oldLength + added + 1, false);
  if (mHB.GetSize() != oldLength + added + 1) return;
  char* dest = static_cast<char*>(mHB.Get());
  std::memmove(dest + oldLength, inside ? dest + offset : text, added);
  dest[oldLength + added] = '\0';
}

void WDL_String::SetLen(int length) {
  if (length < 0) length = 0;
  if (length >= GetLength()) return;
  GetMutable()[length] = '\0';
  mHB.Resize(length + 1, false);
}

void WDL_String::DeleteSub(int position, int length) {
  const int total = GetLength();
  if (position < 0 || position >= total || length <= 0) return;
  if (length > total - position) length = total - position;
  char* text = GetMutable();
  std::memmove(text + position, text + position + length, total - position - length + 1);
  mHB.Resize(total - length + 1, false);
}

void WDL_String::SetFormatted(int maxLen, const char* format, ...) {
  if (maxLen < 0 || maxLen >= INT_MAX) return;
  const int oldSize = mHB.GetSize();
  mHB.Resize(maxLen + 1, false);
  if (mHB.GetSize() != maxLen + 1) {
    mHB.Resize(oldSize, false);
    return;
  }
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(GetMutable(), maxLen + 1, format, args);
  va_end(args);
  const int length = written < 0 ? 0 : (written < maxLen ? written : maxLen);
  GetMutable()[length] = '\0';
  mHB.Resize(length + 1, false);
}
