#pragma once

#include <map>
#include <string>
#include <vector>

#include "program/ProgramLineProblem.h"
#include "program/QVSynthProgram.h"
#include "program/VstParameters.h"

namespace Quillvane {

// A named program: a record of normalised values with its key-name map. It
// converts values to real units and reads and writes program text files.
class RirARorurProgram {
 public:
  static constexpr int kMaxNameLength = 32;
  static constexpr const char* kStartingName = "Basic Bassdrum";

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
  // Clamped to [0, 1]; a value that is not a finite number (NaN, an
  // infinity) and indexes outside the parameters are ignored.
  void setParameterValue(Synth::eVstParameters p, double v);

  // A null directory is ignored.
  void SetWorkingDirectory(const char* dir);
  const char* GetWorkingDirectory() const { return mWorkingDirectory.c_str(); }

  QVSynthProgram& getSynthProgram() { return mProgram; }
  const QVSynthProgram& getSynthProgram() const { return mProgram; }

  // The name line, holding nameInFile of the name, and one "key = value;"
  // line per parameter. The file is replaced only when all of it was
  // written; otherwise false, with what failed in error when given.
  bool saveProgram(const char* path, std::string* error = nullptr) const;
  // The name as a program file holds it, which a load gives back: a ';' or
  // a line break, which would end the name or its line, becomes a blank;
  // only the first kMaxNameLength bytes are kept, and an empty name, which
  // no load takes, is the starting name.
  static std::string nameInFile(const char* name);
  // What a program file does to name, for a person: empty when it holds
  // the name as it stands.
  static std::string nameInFileNote(const char* name);
  // Reads the regular file at path whole (see InputFile) and then as
  // readProgram reads a text. False, with "cannot read program file
  // 'PATH': reason" in error when given, when the file cannot be read or
  // is refused.
  bool loadProgram(const char* path, std::string* error = nullptr,
                   std::vector<ProgramLineProblem>* problems = nullptr);
  // Reads a program from the text of a program file: line k (from 0) must
  // hold the key of parameter k - 1, the first line the name; nothing after
  // the last parameter's line is read. A line that does not qualify is
  // skipped and its parameter keeps its value; so does one whose value is
  // no finite number. The text is refused, changing nothing, when no line
  // was usable or a line is too long to be one the program wrote; error
  // then says why. When the program loads, the lines that are not what
  // their place asks for or not read as they stand (a value outside 0 to 1,
  // a name cut short, what follows a NUL byte, lines after the last setting)
  // are appended to problems when given, in file order, a run of lines
  // shifted alike as one entry. A byte-order mark at the start of the text
  // is skipped.
  bool readProgram(const std::string& text, std::string* error = nullptr,
                   std::vector<ProgramLineProblem>* problems = nullptr);

 private:
  QVSynthProgram mProgram;
  std::string mName;
  std::string mWorkingDirectory;
  std::map<Synth::eVstParameters, std::string> mParamMap;
};

}  // namespace Quillvane
