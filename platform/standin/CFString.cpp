#include "platform/standin/CFString.h"

#include <cstdarg>
#include <cstring>

#include "platform/standin/CFObject.h"

struct StandinCFString : standin::CFObject {
  explicit StandinCFString(std::string t) : CFObject(standin::kStringTypeID), text(std::move(t)) {}
  bool equals(const CFObject& other) const override {
    return text == static_cast<const StandinCFString&>(other).text;
  }
  CFHashCode hash() const override { return std::hash<std::string>()(text); }
  std::string describe() const override { return text; }
  const std::string text;
};

namespace {

const StandinCFString* AsString(CFStringRef ref) {
  return standin::CFCast<StandinCFString>(ref, standin::kStringTypeID);
}

// Length of the UTF-8 sequence starting at s, or 0 when it is malformed.
size_t Utf8SequenceLength(const unsigned char* s, size_t left) {
  unsigned char c = s[0];
  size_t n;
  unsigned min;
  unsigned cp;
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; min = 0x10000; }
  else return 0;
  if (n > left) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (s[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

CFTypeID CFStringGetTypeID() { return standin::kStringTypeID; }

CFStringRef standin::CFStringCreateFromStdString(const std::string& text) {
  return standin::CFCreate<StandinCFString>(text);
}

std::string standin::CFStringText(CFStringRef string) {
  const StandinCFString* s = AsString(string);
  return s ? s->text : std::string();
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, CFStringEncoding encoding) {
  if (!text || encoding != kCFStringEncodingUTF8) return nullptr;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t size = std::strlen(text);
  for (size_t i = 0; i < size;) {
    size_t n = Utf8SequenceLength(bytes + i, size - i);
    if (n == 0) return nullptr;
    i += n;
  }
  return standin::CFStringCreateFromStdString(std::string(text, size));
}

CFStringRef CFStringCreateCopy(CFAllocatorRef, CFStringRef string) {
  const StandinCFString* s = AsString(string);
  return s ? standin::CFStringCreateFromStdString(s->text) : nullptr;
}

CFStringRef CFStringCreateWithFormat(CFAllocatorRef, CFDictionaryRef, CFStringRef format, ...) {
  const StandinCFString* f = AsString(format);
  if (!f) return nullptr;
  std::string out;
  va_list args;
  va_start(args, format);
  const std::string& pattern = f->text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    char conv = pattern[++i];
    switch (conv) {
      case 'd':
      case 'i':
        out += std::to_string(va_arg(args, int));
        break;
      case 'u':
        out += std::to_string(va_arg(args, unsigned));
        break;
      case 's': {
        const char* s = va_arg(args, const char*);
        out += s ? s : "(null)";
        break;
      }
      case '@': {
        CFTypeRef obj = va_arg(args, CFTypeRef);
        out += obj ? standin::CFObjectOf(obj)->describe() : "(null)";
        break;
      }
      default:
        out += '%';
        out += conv;
        break;
    }
  }
  va_end(args);
  return standin::CFStringCreateFromStdString(out);
}

CFIndex CFStringGetLength(CFStringRef string) {
  const StandinCFString* s = AsString(string);
  if (!s) return 0;
  CFIndex units = 0;
  for (unsigned char c : s->text) {
    if ((c & 0xC0) != 0x80) units += (c >= 0xF0) ? 2 : 1;
  }
  return units;
}

CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding) { return length * 3; }

Boolean CFStringGetCString(CFStringRef string, char* buffer, CFIndex bufferSize, CFStringEncoding encoding) {
  const StandinCFString* s = AsString(string);
  if (!buffer || bufferSize <= 0) return false;
  buffer[0] = '\0';
  if (!s || encoding != kCFStringEncodingUTF8) return false;
  if (static_cast<CFIndex>(s->text.size()) >= bufferSize) return false;
  std::memcpy(buffer, s->text.c_str(), s->text.size() + 1);
  return true;
}

CFComparisonResult CFStringCompare(CFStringRef a, CFStringRef b, CFOptionFlags) {
  int c = standin::CFStringText(a).compare(standin::CFStringText(b));
  return c < 0 ? kCFCompareLessThan : (c > 0 ? kCFCompareGreaterThan : kCFCompareEqualTo);
}
