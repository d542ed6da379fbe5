#pragma once

#include "framework/WDL_String.h"
#include "platform/standin/CFString.h"

// The whole text of a host string as UTF-8; false and an empty text for null.
bool CFStringToUTF8(CFStringRef string, WDL_String* out);

// A new string of UTF-8 text, null reading as empty; null when the text is not UTF-8.
CFStringRef CFStringFromUTF8(const char* text);
