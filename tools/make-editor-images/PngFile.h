#pragma once

#include <string>

#include "lice/LICE_IBitmap.h"

namespace art {

// Writes the bitmap as an 8-bit RGBA PNG with straight alpha; the same
// pixels always give the same bytes. False, with a message, on failure.
bool WritePng(LICE_IBitmap* bitmap, const std::string& path, std::string* error);

}  // namespace art
