#pragma once

#include <vector>

#include "instrument/Thudrokka.h"

// Every parameter's value, and what the live record the render thread plays
// from holds of each; a block makes them agree.
inline std::vector<double> ParameterValues(const IPlugBase* plug) {
  std::vector<double> values;
  for (int p = 0; p < plug->NParams(); ++p) values.push_back(plug->GetParam(p)->Value());
  return values;
}

// Only on the render thread, between blocks.
inline std::vector<double> RecordValues(Thudrokka* plug) {
  std::vector<double> values;
  const Quillvane::QVSynthProgram& record = *plug->getSynthProgram();
  for (int p = 0; p < Quillvane::Synth::kNumParameters; ++p) {
    values.push_back(record[static_cast<Quillvane::Synth::eVstParameters>(p)]);
  }
  return values;
}
