#include "platform/standin/NSBundle.h"

#include <filesystem>
#include <system_error>

#include "platform/standin/CFString.h"

namespace fs = std::filesystem;

CFBundleRef NSBundleWithIdentifier(const char* identifier) {
  if (!identifier) return nullptr;
  CFStringRef id = standin::CFStringCreateFromStdString(identifier);
  CFBundleRef bundle = id ? CFBundleGetBundleWithIdentifier(id) : nullptr;
  if (id) CFRelease(id);
  return bundle;
}

std::string NSBundleBundlePath(CFBundleRef bundle) { return standin::BundleLocation(bundle); }

std::string NSBundleExecutablePath(CFBundleRef bundle) {
  const std::string location = standin::BundleLocation(bundle);
  if (location.empty()) return "";
  return location + "/Contents/MacOS/" + fs::path(location).stem().string();
}

std::string NSBundlePathForResource(CFBundleRef bundle, const char* name, const char* type) {
  if (!bundle || !name || !*name || !type) return "";
  const std::string fileName = std::string(name) + "." + type;
  const fs::path folder = standin::BundleResourceFolder(bundle);
  std::error_code error;
  if (fs::is_regular_file(folder / fileName, error)) return (folder / fileName).string();
  // The shortest, then first, of the paths below the folder.
  std::string best;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().filename() != fileName || !it->is_regular_file(error)) continue;
    const std::string found = it->path().string();
    if (best.empty() || found.size() < best.size() || (found.size() == best.size() && found < best)) best = found;
  }
  return best;
}
