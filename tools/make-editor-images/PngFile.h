#pragma once

#include <string>

#include "lice/LICE_IBitmap.h"
#include "tools/png-writer/PngWriter.h"

namespace art {

// The bitmap as an RGBA PNG with straight alpha.
inline bool WritePng(LICE_IBitmap* bitmap, const std::string& path, std::string* error) {
  return ::WritePng(path, reinterpret_cast<const unsigned char*>(bitmap->getBits()), bitmap->getWidth(),
                    bitmap->getHeight(), bitmap->getRowSpan() * 4, true, error);
}

}  // namespace art
