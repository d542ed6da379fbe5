#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "program/QVSynthProgram.h"
#include "program/VstParameters.h"

namespace Quillvane {

// A named program: a record of normalised values with its key-name map. It
// converts values to real units and reads and writes program text files.
class RirARorurProgram {
 public:
  static constexpr int kMaxNameLength = 32;

  RirARorurProgram();
  virtual ~RirARorurProgram() = default;

  void initParamMap();
  void initCommonParams() { mProgram.initCommonParams(); }

  // A null name is ignored.
  void setProgramName(const char* name);
  const char* getProgramName() const { return mName.c_str(); }
  // Empty for an index outside the parameters.
  const char* getParameterNameText(Synth::eVstParameters p) const;
  // "Unknown" for an index outside the parameters.
  const char* getParameterCodeName(Synth::eVstParameters p) const;
  // Real units (semitones, seconds, Hz, pan offsets) when normalised is
  // false; 0.0 for an index outside the parameters.
  double getParameterValue(Synth::eVstParameters p, bool normalised) const;
  // Clamped to [0, 1]; NaN and indexes outside the parameters are ignored.
  void setParameterValue(Synth::eVstParameters p, double v);

  // A null directory is ignored.
  void SetWorkingDirectory(const char* dir);
  const char* GetWorkingDirectory() const { return mWorkingDirectory.c_str(); }

  QVSynthProgram& getSynthProgram() { return mProgram; }
  const QVSynthProgram& getSynthProgram() const { return mProgram; }

  // One "key = value;" line per parameter after the name line. False when
  // the file cannot be written completely.
  bool saveProgram(const char* path) const;
  // Lines are matched by position; see readProgram. False when the file
  // cannot be opened or read, or when no line of it was usable.
  bool loadProgram(const char* path);
  // Reads a program from an open text stream: line k (from 0) must hold the
  // key of parameter k - 1, the first line the name. A line that does not
  // qualify is skipped and its parameter keeps its value. False when no line
  // was usable or the stream failed.
  bool readProgram(std::FILE* file);

 private:
  QVSynthProgram mProgram;
  std::string mName;
  std::string mWorkingDirectory;
  std::map<Synth::eVstParameters, std::string> mParamMap;
};

}  // namespace Quillvane
