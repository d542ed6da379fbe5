#pragma once

#include <string>

namespace Quillvane {

// A line of a program file that is not what its place in the file asks
// for, or that is not read as it stands. The reader still reads it as it
// reads every line; this only says so.
struct ProgramLineProblem {
  enum Kind {
    kOtherSetting,  // the line does not name the setting of its place
    kNoValue,       // it names it, but holds no "= value;" the reader takes
    kLeftOutAtNul,  // it holds a NUL byte, and nothing before it is read
    kCutAtNul,      // it holds a NUL byte, and only what comes before it is read
    kNotANumber,    // the value is no number; what the reader makes of it is used
    kNotFinite,     // the value reads as no finite number, and is left out
    kOutOfRange,    // a number outside 0 to 1; the nearest end is used
    kUnknownName,   // the value names none of the setting's choices
    kNameCut,       // the name is longer than a program's name may be
    kNameEnds,      // the name ends at a ';' that more of the line follows
    kAfterTheEnd,   // the line comes after the last setting and is not read
    kFileEnds,      // the file ends before this line
  };
  Kind kind;
  int line;  // counted from 1
  // The setting the line should hold: a parameter's key, or "Name"; for
  // kAfterTheEnd the last setting.
  std::string key;
  // The line for kOtherSetting, kNoValue and kAfterTheEnd, what comes before
  // the NUL byte for the kinds of those, the value text for the kinds of
  // values, the name kept for kNameCut and kNameEnds.
  std::string found;
  // For kOtherSetting when the line holds the setting of another place:
  // that place is offset lines further on (negative: back).
  int offset = 0;
  // The lines right after this one that have no entry of their own: for
  // kOtherSetting those shifted alike, for kAfterTheEnd all the rest.
  int shifted = 0;
  // For kNotANumber and kOutOfRange: the value the setting takes.
  double used = 0.0;

  // "FILE:LINE: what is wrong" for a person, with whatever the file holds
  // quoted short and printable; file as the person named it.
  std::string message(const std::string& file) const;
};

}  // namespace Quillvane
