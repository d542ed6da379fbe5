#pragma once

namespace Quillvane {

// Appends a table-filling function for user waveform 1 to the output file,
// from up to 4096 floats read from the input file. inputPattern may hold one
// integer conversion (it is given 1); outputPattern none. A pattern with any
// other conversion is refused. Missing samples read as 0 and a silent input
// writes zeros. Returns whether the function was written.
bool Raw2Code(const char* inputPattern, const char* outputPattern);

}  // namespace Quillvane
