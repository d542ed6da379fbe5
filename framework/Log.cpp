#include "framework/Log.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void ToLower(char* dest, const char* src) {
  if (!dest || !src) return;
  while (*src) *dest++ = static_cast<char>(std::tolower(static_cast<unsigned char>(*src++)));
  *dest = '\0';
}

bool IsWhitespace(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

const char* CurrentTime() {
  static char text[64];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm utc{};
  localtime_r(&now, &local);
  gmtime_r(&now, &utc);

  int offset = (local.tm_hour * 60 + local.tm_min) - (utc.tm_hour * 60 + utc.tm_min);
  const int dayDelta = local.tm_yday - utc.tm_yday;
  // A difference of more than one day means the two dates lie in different years.
  if (dayDelta >= 2) {
    offset -= 1440;
  } else if (dayDelta <= -2) {
    offset += 1440;
  } else {
    offset += dayDelta * 1440;
  }

  char date[32];
  std::strftime(date, sizeof(date), "%Y%m%d %H:%M ", &local);
  const int magnitude = std::abs(offset);
  std::snprintf(text, sizeof(text), "%s%c%02d%02d", date, offset < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return text;
}

void CompileTimestamp(const char* date, const char* time, WDL_String* text) {
  if (!text) return;
  text->Set("[");
  text->Append(date);
  text->SetLen(7);
  text->DeleteSub(4, 1);
  text->Append(" ");
  text->Append(time);
  text->SetLen(12);
  text->Append("]");
}

const char* AppendTimestamp(const char* date, const char* time, const char* text) {
  static WDL_String result;
  WDL_String stamp;
  CompileTimestamp(date, time, &stamp);
  result.Set(text);
  result.Append(" ");
  result.Append(stamp.Get());
  return result.Get();
}

Timer::Timer() : mLastTick(std::clock()) {}

bool Timer::Every(double seconds) {
  const std::clock_t now = std::clock();
  if (static_cast<double>(now - mLastTick) > seconds * CLOCKS_PER_SEC) {
    mLastTick = now;
    return true;
  }
  return false;
}
