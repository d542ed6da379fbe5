#pragma once

#include <ctime>

#include "framework/WDL_String.h"

// dest must hold strlen(src) + 1 characters.
void ToLower(char* dest, const char* src);
bool IsWhitespace(char c);

// "YYYYmmdd HH:MM +hhmm" of the local time with its offset from UTC. The
// text is shared and overwritten by the next call.
const char* CurrentTime();
// "[Mmmdd HH:MM]" from the build's date and time texts.
void CompileTimestamp(const char* date, const char* time, WDL_String* text);
// text, a blank and the compile timestamp; shared like CurrentTime().
const char* AppendTimestamp(const char* date, const char* time, const char* text);

// Coarse interval timer over the processor clock.
class Timer {
 public:
  Timer();
  bool Every(double seconds);

 private:
  std::clock_t mLastTick;
};

// Tracing is compiled to nothing in this product.
inline void Trace(const char*, int, const char*, ...) {}
inline const char* VSTOpcodeStr(int) { return ""; }
inline const char* AUSelectStr(int) { return ""; }
inline const char* AUPropertyStr(int) { return ""; }
inline const char* AUScopeStr(int) { return ""; }
