#pragma once

#include <string>

#include "tools/png-writer/PngWriter.h"

namespace testsupport {

// The tools' PNG writer with the tests' defaults: an opaque RGB picture for a
// person to look at, or with withAlpha an RGBA one.
inline bool writePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes,
                     bool withAlpha = false) {
  std::string error;
  return WritePng(path, pixels, width, height, rowBytes, withAlpha, &error);
}

// Where tests put the files a person looks at: a folder in the build tree.
std::string outputPath(const std::string& name);

}  // namespace testsupport
