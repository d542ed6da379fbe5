#include "platform/mac/CFStringUTF8.h"

#include "framework/WDL_TypedBuf.h"

bool CFStringToUTF8(CFStringRef string, WDL_String* out) {
  out->Set("");
  if (!string) return false;
  const CFIndex size = CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
  if (size <= 0 || size > INT_MAX) return false;
  WDL_TypedBuf<char> text;
  if (text.Resize(static_cast<int>(size)) == nullptr || text.GetSize() != size) return false;
  if (!CFStringGetCString(string, text.Get(), size, kCFStringEncodingUTF8)) return false;
  out->Set(text.Get());
  return true;
}

CFStringRef CFStringFromUTF8(const char* text) {
  return CFStringCreateWithCString(kCFAllocatorDefault, text ? text : "", kCFStringEncodingUTF8);
}
