#pragma once

#include "framework/WDL_HeapBuf.h"

// A terminated text in a WDL_HeapBuf of granularity 128. An empty string
// holds no storage; a failed growth keeps the old text.
class WDL_String {
 public:
  static constexpr int kGranul = 128;

  WDL_String() : mHB(kGranul) {}
  explicit WDL_String(const char* text, int maxLen = 0) : mHB(kGranul) { Set(text, maxLen); }
  WDL_String(const WDL_String& other) : mHB(kGranul) { Set(other.Get()); }
  WDL_String& operator=(const WDL_String& other) {
    if (this != &other) Set(other.Get());
    return *this;
  }

  // Never null: an empty string yields a shared empty text.
  const char* Get() const;
  char* GetMutable() { return static_cast<char*>(mHB.Get()); }
  int GetLength() const;

  // maxLen > 0 takes at most that many characters of text.
  void Set(const char* text, int maxLen = 0);
  void Append(const char* text, int maxLen = 0);
  // Cuts the text to length characters; longer texts only.
  void SetLen(int length);
  void DeleteSub(int position, int length);
  // Formats at most maxLen characters; keeps the old text when it cannot grow.
  void SetFormatted(int maxLen, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

 private:
  WDL_HeapBuf mHB;
};
