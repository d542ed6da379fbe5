#pragma once

#include <string>

namespace testsupport {

// Writes 32-bit pixels whose bytes are (alpha), red, green, blue as an
// opaque RGB PNG for a person to look at; false when the file cannot be written.
bool writePng(const std::string& path, const unsigned char* pixels, int width, int height, int rowBytes);

// Where tests put the files a person looks at: a folder in the build tree.
std::string outputPath(const std::string& name);

}  // namespace testsupport
