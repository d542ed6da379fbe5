#pragma once

#include <string>

namespace art {

// One picture of every image under root, read back through the raster
// library's PNG loader: knob strips as five frames from 0 to 1, multi-frame
// images frame by frame, small images enlarged and large ones reduced.
bool WriteContactSheet(const std::string& root, const std::string& path, std::string* error);

}  // namespace art
