#include "platform/standin/ATSFont.h"

#include <vector>

namespace {

std::vector<std::string>& Families() {
  static std::vector<std::string> families;
  return families;
}

}  // namespace

ATSFontFamilyRef ATSFontFamilyFindFromName(CFStringRef name, ATSOptionFlags) {
  const std::string text = standin::CFStringText(name);
  if (text.empty()) return kInvalidFontFamily;
  std::vector<std::string>& families = Families();
  for (size_t i = 0; i < families.size(); ++i) {
    if (families[i] == text) return static_cast<ATSFontFamilyRef>(i + 1);
  }
  families.push_back(text);
  return static_cast<ATSFontFamilyRef>(families.size());
}

std::string standin::FontFamilyName(ATSFontFamilyRef family) {
  const std::vector<std::string>& families = Families();
  return family >= 1 && family <= families.size() ? families[family - 1] : "";
}
