// Stands in for Foundation's bundle look-ups (NSBundle) on Linux, over the registered bundles of the CFBundle stand-in.
#pragma once

#include <string>

#include "platform/standin/CFBundle.h"

// Null when no bundle has the identifier.
CFBundleRef NSBundleWithIdentifier(const char* identifier);
// Paths are "" for a null bundle.
std::string NSBundleBundlePath(CFBundleRef bundle);
// Contents/MacOS/ and the bundle's name without its extension.
std::string NSBundleExecutablePath(CFBundleRef bundle);
// The file name.type in the bundle's resource folder or, as a build keeps
// them in folders of their own, below it; "" when there is none.
std::string NSBundlePathForResource(CFBundleRef bundle, const char* name, const char* type);
