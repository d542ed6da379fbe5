#pragma once

#include <string>

#include "framework/OutputFile.h"
#include "program/RirARorurProgram.h"

namespace Quillvane {

// Writes one MakePreset block of the factory bank's source text for the
// program's name and record. False when a write fails.
bool saveWdlProgram(const RirARorurProgram& program, OutputFile& file);

// Rebuilds the 128 factory presets from their definitions, in bank order on
// one program object, and writes them as the source text of
// Thudrokka::makeThudrokkaFreePresets. The file is replaced only when all of
// it was written; otherwise false, with what failed in error when given.
bool saveFreePrograms4Wdl(const char* path, std::string* error = nullptr);

}  // namespace Quillvane
