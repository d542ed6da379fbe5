// Stands in for the platform's CoreFoundation bundle and URL interfaces (CFBundle, CFURL) on Linux.
#pragma once

#include <string>

#include "platform/standin/CFBase.h"

typedef struct StandinCFBundle* CFBundleRef;
typedef const struct StandinCFURL* CFURLRef;

// Bundles live for the whole process and are never counted as live objects.
CFBundleRef CFBundleGetMainBundle();
CFStringRef CFBundleGetIdentifier(CFBundleRef bundle);
CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef identifier);
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
CFStringRef CFURLGetString(CFURLRef url);

namespace standin {

// Makes a bundle known to the look-ups; registering an identifier again moves it.
void RegisterBundle(const char* identifier, const char* location);
// The process's main bundle; null or an unregistered identifier leaves none.
void SetMainBundle(const char* identifier);
// Where a registered bundle keeps its resources; by default the folder
// Contents/Resources of its location.
void SetBundleResourceFolder(const char* identifier, const char* folder);
// "" for null.
std::string BundleLocation(CFBundleRef bundle);
std::string BundleResourceFolder(CFBundleRef bundle);

}  // namespace standin
