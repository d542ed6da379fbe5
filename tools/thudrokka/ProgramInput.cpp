#include "tools/thudrokka/ProgramInput.h"

#include <vector>

#include "instrument/Thudrokka.h"
#include "program/RirARorurProgram.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

bool loadProgramArgument(const char* command, const std::string& argument, Thudrokka& instrument) {
  std::string text, cause;
  Quillvane::RirARorurProgram program;
  std::vector<Quillvane::ProgramLineProblem> problems;
  if (!readInput(argument, &text, &cause) || !program.readProgram(text, &cause, &problems)) {
    fail(command, readFailure("program file", argument, cause), kExitFailure);
    return false;
  }
  instrument.ApplyProgram(program);
  const std::string file = shownName(argument, Use::kRead, Quotes::kNone);
  for (const Quillvane::ProgramLineProblem& problem : problems) warn(command, problem.message(file));
  return true;
}
