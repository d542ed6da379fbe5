#pragma once

#include <cstdio>

#include "program/RirARorurProgram.h"

namespace Quillvane {

// Writes one MakePreset block of the factory bank's source text for the
// program's name and record. False when the stream is null or a write fails.
bool saveWdlProgram(const RirARorurProgram& program, std::FILE* file);

// Rebuilds the 128 factory presets from their definitions, in bank order on
// one program object, and writes them as the source text of
// Thudrokka::makeThudrokkaFreePresets. False when the path is null, the file
// cannot be opened or any write fails.
bool saveFreePrograms4Wdl(const char* path);

}  // namespace Quillvane
