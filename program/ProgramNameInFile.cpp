// What the name line of a program file can hold: the reader takes the name
// up to the first ';', on one line, keeps kMaxNameLength bytes of it and
// skips an empty one.

#include <string>
#include <vector>

#include "framework/PrintableText.h"
#include "framework/TextCopy.h"
#include "program/RirARorurProgram.h"

namespace Quillvane {

namespace {

bool isNameEnd(char c) { return c == ';' || c == '\n' || c == '\r'; }

std::string quoted(const std::string& name) { return "'" + printableText(name) + "'"; }

}  // namespace

std::string RirARorurProgram::nameInFile(const char* name) {
  std::string held = ValidText(name);
  if (held.empty()) return kStartingName;
  for (char& c : held) {
    if (isNameEnd(c)) c = ' ';
  }
  held.resize(TextFitLength(held.c_str(), kMaxNameLength));
  return held;
}

std::string RirARorurProgram::nameInFileNote(const char* name) {
  const std::string given = ValidText(name);
  const std::string held = nameInFile(name);
  if (held == given) return "";
  if (given.empty()) return "a program file holds no empty name: it holds " + quoted(held) + " instead";
  // What would end the name before its end.
  std::string ends;
  if (given.find(';') != std::string::npos) ends = "';'";
  if (given.find_first_of("\r\n") != std::string::npos) ends += std::string(ends.empty() ? "" : " or ") + "line break";
  std::vector<std::string> rules;
  if (!ends.empty()) rules.push_back("holds no " + ends + " in a name");
  if (given.size() > static_cast<std::size_t>(kMaxNameLength)) {
    rules.push_back("keeps at most " + std::to_string(kMaxNameLength) + " bytes of a name");
  }
  std::string note = "a program file";
  for (std::size_t i = 0; i < rules.size(); ++i) note += (i == 0 ? " " : " and ") + rules[i];
  return note + ": it holds " + quoted(given) + " as " + quoted(held);
}

}  // namespace Quillvane
