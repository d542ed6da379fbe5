#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "program/QVSynthProgram.h"
#include "program/VstParameters.h"

namespace Quillvane {

// A line of a program file that is not what its place in the file asks
// for. The reader still reads it as it reads every line; this only says so.
struct ProgramLineProblem {
  enum Kind {
    kOtherSetting,  // the line does not name the setting of its place
    kNoValue,       // it names it, but holds no "= value;" the reader takes
    kNotANumber,    // the value is no finite number
    kUnknownName,   // the value names none of the setting's choices
    kFileEnds,      // the file ends before this line
  };
  Kind kind;
  int line;  // counted from 1
  // The setting the line should hold: a parameter's key, or "Name".
  std::string key;
  // The line for the first two kinds, the value text for the next two.
  std::string found;
  // For kOtherSetting when the line holds the setting of another place:
  // that place is offset lines further on (negative: back), and so it is for
  // the shifted lines right after this one, which have no entry of their own.
  int offset = 0;
  int shifted = 0;
};

// A named program: a record of normalised values with its key-name map. It
// converts values to real units and reads and writes program text files.
class RirARorurProgram {
 public:
  static constexpr int kMaxNameLength = 32;

  RirARorurProgram();
  virtual ~RirARorurProgram() = default;

  void initParamMap();
  void initCommonParams() { mProgram.initCommonParams(); }

  // A null name is ignored; bytes that are not UTF-8 read as ValidText reads them.
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

  // One "key = value;" line per parameter after the name line. The file is
  // replaced only when all of it was written; otherwise false, with what
  // failed in error when given.
  bool saveProgram(const char* path, std::string* error = nullptr) const;
  // Lines are matched by position; see readProgram. False, with the file
  // and the reason in error when given, when the file cannot be opened or
  // is refused.
  bool loadProgram(const char* path, std::string* error = nullptr,
                   std::vector<ProgramLineProblem>* problems = nullptr);
  // Reads a program from an open text stream: line k (from 0) must hold the
  // key of parameter k - 1, the first line the name; reading stops after
  // the last parameter's line. A line that does not qualify is skipped and
  // its parameter keeps its value. The stream is refused, changing nothing,
  // when no line was usable, a line is too long to be one the program
  // wrote, or the stream failed; error then says why. When the program
  // loads, the lines that are not what their place asks for are appended
  // to problems when given, in file order, a run of lines shifted alike as
  // one entry. A byte-order mark at the start of the stream is skipped.
  bool readProgram(std::FILE* file, std::string* error = nullptr,
                   std::vector<ProgramLineProblem>* problems = nullptr);

 private:
  QVSynthProgram mProgram;
  std::string mName;
  std::string mWorkingDirectory;
  std::map<Synth::eVstParameters, std::string> mParamMap;
};

}  // namespace Quillvane
