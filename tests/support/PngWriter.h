#pragma once

#include <string>

namespace testsupport {

// Writes 32-bit pixels whose bytes are alpha, red, green, blue as a PNG: an
// opaque RGB one for a person to look at, or with withAlpha an RGBA one;
// false when the file cannot be written.
bool writePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes,
              bool withAlpha = false);

// Where tests put the files a person looks at: a folder in the build tree.
std::string outputPath(const std::string& name);

}  // namespace testsupport
