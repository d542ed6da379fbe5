#include "platform/standin/CFBundle.h"

#include <mutex>
#include <string>
#include <vector>

#include "platform/standin/CFObject.h"
#include "platform/standin/CFString.h"

struct StandinCFBundle : standin::CFObject {
  StandinCFBundle(CFStringRef id, std::string where)
      : CFObject(standin::kBundleTypeID), identifier(id), location(std::move(where)) {}
  CFStringRef identifier;
  std::string location;
  std::string resources;
};

struct StandinCFURL : standin::CFObject {
  explicit StandinCFURL(CFStringRef text) : CFObject(standin::kURLTypeID), string(text) {}
  ~StandinCFURL() override { CFRelease(string); }
  std::string describe() const override { return standin::CFStringText(string); }
  CFStringRef string;
};

namespace {

std::mutex gBundleLock;
StandinCFBundle* gMainBundle = nullptr;

// Bundles live as long as the process, and so does their list.
std::vector<StandinCFBundle*>& Bundles() {
  static auto* bundles = new std::vector<StandinCFBundle*>();
  return *bundles;
}

StandinCFBundle* FindBundle(const std::string& identifier) {
  for (StandinCFBundle* bundle : Bundles()) {
    if (standin::CFStringText(bundle->identifier) == identifier) return bundle;
  }
  return nullptr;
}

}  // namespace

void standin::RegisterBundle(const char* identifier, const char* location) {
  if (!identifier) return;
  std::lock_guard<std::mutex> lock(gBundleLock);
  if (StandinCFBundle* known = FindBundle(identifier)) {
    known->location = location ? location : "";
    return;
  }
  CFStringRef id = CFStringCreateFromStdString(identifier);
  StandinCFBundle* bundle = id ? CFCreate<StandinCFBundle>(id, location ? location : "") : nullptr;
  if (!bundle) {
    if (id) CFRelease(id);
    return;
  }
  CFMakePermanent(id);
  CFMakePermanent(bundle);
  Bundles().push_back(bundle);
}

void standin::SetMainBundle(const char* identifier) {
  std::lock_guard<std::mutex> lock(gBundleLock);
  gMainBundle = identifier ? FindBundle(identifier) : nullptr;
}

void standin::SetBundleResourceFolder(const char* identifier, const char* folder) {
  std::lock_guard<std::mutex> lock(gBundleLock);
  if (StandinCFBundle* bundle = identifier ? FindBundle(identifier) : nullptr) bundle->resources = folder ? folder : "";
}

std::string standin::BundleLocation(CFBundleRef bundle) {
  std::lock_guard<std::mutex> lock(gBundleLock);
  return bundle ? bundle->location : "";
}

std::string standin::BundleResourceFolder(CFBundleRef bundle) {
  std::lock_guard<std::mutex> lock(gBundleLock);
  if (!bundle) return "";
  return bundle->resources.empty() ? bundle->location + "/Contents/Resources" : bundle->resources;
}

CFBundleRef CFBundleGetMainBundle() {
  std::lock_guard<std::mutex> lock(gBundleLock);
  return gMainBundle;
}

CFStringRef CFBundleGetIdentifier(CFBundleRef bundle) { return bundle ? bundle->identifier : nullptr; }

CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef identifier) {
  if (!identifier) return nullptr;
  std::lock_guard<std::mutex> lock(gBundleLock);
  return FindBundle(standin::CFStringText(identifier));
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle) {
  if (!bundle) return nullptr;
  CFStringRef text = standin::CFStringCreateFromStdString("file://" + bundle->location);
  StandinCFURL* url = text ? standin::CFCreate<StandinCFURL>(text) : nullptr;
  if (!url && text) CFRelease(text);
  return url;
}

CFStringRef CFURLGetString(CFURLRef url) {
  const StandinCFURL* u = standin::CFCast<StandinCFURL>(url, standin::kURLTypeID);
  return u ? u->string : nullptr;
}
