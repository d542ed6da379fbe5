#include "tools/thudrokka/EditorScript.h"

#include "framework/TextCopy.h"
#include "tools/thudrokka/NumberText.h"
#include "framework/PrintableText.h"
#include "tools/thudrokka/StandardStreams.h"

namespace {

constexpr int kMaxWheelSteps = 1000;
constexpr int kMaxTicks = 1000000;
constexpr int kMaxSlot = 99999;
constexpr int kMaxNoteNumber = 127;
constexpr int kMaxVelocity = 127;
constexpr double kMaxNoteSeconds = 60.0;

// The keys a script can press: what each types and its hardware code.
struct KeyName {
  const char* name;
  const char* characters;
  unsigned short keyCode;
};

const KeyName kNamedKeys[] = {
    {"space", " ", 49},
    {"up", "\xEF\x9C\x80", 126},     // the arrows type characters of the
    {"down", "\xEF\x9C\x81", 125},   // private use area, U+F700 to U+F703
    {"left", "\xEF\x9C\x82", 123},
    {"right", "\xEF\x9C\x83", 124},
};

// Hardware codes of the letter and digit keys, a to z and 0 to 9.
const unsigned short kLetterKeyCodes[26] = {0,  11, 8,  2,  14, 3,  5,  4,  34, 38, 40, 37, 46,
                                            45, 31, 35, 12, 15, 1,  17, 32, 9,  13, 7,  16, 6};
const unsigned short kDigitKeyCodes[10] = {29, 18, 19, 20, 21, 23, 22, 26, 28, 25};

// A word of the script as a message shows it.
std::string quoted(const std::string& word) { return "'" + printableText(word) + "'"; }

bool isPrintable(const std::string& text) { return printableText(text) == text; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The line without its comment: from a '#' that stands alone, between
// blanks or the line's ends, to the end of the line. Any other '#' is part of
// a word or a text.
std::string withoutComment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || isBlank(line[i - 1])) && (i + 1 == line.size() || isBlank(line[i + 1]))) {
      return line.substr(0, i);
    }
  }
  return line;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> found;
  for (size_t i = 0; i < line.size();) {
    if (isBlank(line[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    found.push_back(line.substr(start, i - start));
  }
  return found;
}

class LineParser {
 public:
  LineParser(const EditorScriptLimits& limits, int line) : mLimits(limits), mLine(line) {}

  // False, with the message set, when the line is not an action.
  bool parse(const std::string& text, EditorAction* action);
  const std::string& message() const { return mMessage; }

 private:
  bool fail(const std::string& message) {
    mMessage = message;
    return false;
  }
  bool wholeNumber(const std::string& what, const std::string& word, int min, int max, int* out);
  bool number(const std::string& what, const std::string& word, double min, double max, double* out);
  bool point(const std::vector<std::string>& w, EditorAction* action);
  bool mouseKeys(const std::vector<std::string>& w, size_t from, bool wheel, EditorAction* action);
  bool key(const std::vector<std::string>& w, EditorAction* action);
  bool parseWords(const std::string& verb, const std::vector<std::string>& w, EditorAction* action);
  bool parseRest(const std::string& verb, const std::string& rest, EditorAction* action);

  const EditorScriptLimits& mLimits;
  int mLine;
  std::string mMessage;
};

bool LineParser::wholeNumber(const std::string& what, const std::string& word, int min, int max, int* out) {
  return parseWholeNumber(what, word, min, max, out, &mMessage);
}

bool LineParser::number(const std::string& what, const std::string& word, double min, double max, double* out) {
  return parseNumber(what, word, min, max, out, &mMessage);
}

bool LineParser::point(const std::vector<std::string>& w, EditorAction* action) {
  return wholeNumber("X", w[1], 0, mLimits.width - 1, &action->x) &&
         wholeNumber("Y", w[2], 0, mLimits.height - 1, &action->y);
}

bool LineParser::mouseKeys(const std::vector<std::string>& w, size_t from, bool wheel, EditorAction* action) {
  const std::string allowed = wheel ? "S or C" : "any of L or R, S, C and A";
  bool button = false;
  for (size_t i = from; i < w.size(); ++i) {
    const std::string& k = w[i];
    bool* held = k == "S" ? &action->shift : k == "C" ? &action->control : nullptr;
    if (!wheel && k == "A") held = &action->option;
    const bool isButton = !wheel && (k == "L" || k == "R");
    if (!held && !isButton) return fail(w[0] + " takes " + allowed + " after the point, not " + quoted(k));
    if (isButton ? button : *held) return fail(w[0] + " takes each of L or R, S, C and A once");
    if (isButton) {
      button = true;
      action->right = k == "R";
    } else {
      *held = true;
    }
  }
  return true;
}

bool LineParser::key(const std::vector<std::string>& w, EditorAction* action) {
  const std::string usage = "key takes one key: a letter, a digit, space, up, down, left or right";
  if (w.size() != 2) return fail(usage);
  const std::string& name = w[1];
  for (const KeyName& k : kNamedKeys) {
    if (name == k.name) {
      action->text = k.characters;
      action->keyCode = k.keyCode;
      return true;
    }
  }
  if (name.size() != 1) return fail(usage + ", not " + quoted(name));
  const char c = name[0];
  if (c >= 'a' && c <= 'z') {
    action->keyCode = kLetterKeyCodes[c - 'a'];
  } else if (c >= 'A' && c <= 'Z') {
    action->keyCode = kLetterKeyCodes[c - 'A'];
    action->shift = true;
  } else if (c >= '0' && c <= '9') {
    action->keyCode = kDigitKeyCodes[c - '0'];
  } else {
    return fail(usage + ", not " + quoted(name));
  }
  action->text = name;
  return true;
}

bool LineParser::parseWords(const std::string& verb, const std::vector<std::string>& w, EditorAction* action) {
  const size_t n = w.size();
  if (verb == "down" || verb == "drag" || verb == "up" || verb == "dbl") {
    const bool down = verb == "down";
    if (n < 3 || (!down && n > 3)) {
      return fail(verb + " takes X Y" + (down ? " and then any of L or R, S, C and A" : ""));
    }
    action->kind = down                ? EditorAction::kDown
                   : verb == "drag"    ? EditorAction::kDrag
                   : verb == "up"      ? EditorAction::kUp
                                       : EditorAction::kDoubleClick;
    return point(w, action) && mouseKeys(w, 3, false, action);
  }
  if (verb == "wheel") {
    action->kind = EditorAction::kWheel;
    if (n < 4 || n > 5) return fail("wheel takes X Y D and then S or C");
    return point(w, action) && wholeNumber("D", w[3], -kMaxWheelSteps, kMaxWheelSteps, &action->number) &&
           mouseKeys(w, 4, true, action);
  }
  if (verb == "key") {
    action->kind = EditorAction::kKey;
    return key(w, action);
  }
  if (verb == "param") {
    action->kind = EditorAction::kParam;
    if (n != 3) return fail("param takes I V");
    return wholeNumber("I", w[1], 0, mLimits.parameters - 1, &action->number) &&
           number("V", w[2], 0.0, 1.0, &action->value);
  }
  if (verb == "note") {
    action->kind = EditorAction::kNote;
    if (n != 4) return fail("note takes K V SECONDS");
    return wholeNumber("K", w[1], 0, kMaxNoteNumber, &action->number) &&
           wholeNumber("V", w[2], 1, kMaxVelocity, &action->velocity) &&
           number("SECONDS", w[3], 0.0, kMaxNoteSeconds, &action->value);
  }
  if (verb == "preset" || verb == "menu") {
    action->kind = verb == "preset" ? EditorAction::kPreset : EditorAction::kMenu;
    if (n != 2) return fail(verb + " takes N");
    return wholeNumber("N", w[1], 0, kMaxSlot, &action->number);
  }
  if (verb == "tick") {
    action->kind = EditorAction::kTick;
    action->number = 1;
    if (n > 2) return fail("tick takes at most N");
    return n == 1 || wholeNumber("N", w[1], 0, kMaxTicks, &action->number);
  }
  return fail("unknown action " + quoted(verb));
}

// The actions whose argument is the rest of the line, taken as it stands.
bool LineParser::parseRest(const std::string& verb, const std::string& rest, EditorAction* action) {
  action->text = rest;
  if (verb == "text") {
    action->kind = EditorAction::kText;
    // Control characters would end the entry or edit it rather than type.
    if (!isPrintable(rest)) return fail("text takes printable UTF-8 characters only");
    return true;
  }
  action->kind = verb == "file" ? EditorAction::kFile : verb == "shot" ? EditorAction::kShot : EditorAction::kDump;
  if (rest.empty() && verb != "file") return fail(verb + " takes a file name");
  // Where - stands for a standard stream everywhere else, a panel would take
  // it for a file of that name.
  if (verb == "file" && rest == kStandardStream) {
    return fail("file takes a file that a panel can choose, not a standard stream (./- names a file called -)");
  }
  // A NUL would end the name where the file is opened, and the name shows
  // in messages.
  if (!isPrintable(rest)) return fail(verb + " takes a file name of printable UTF-8 characters only");
  return true;
}

bool LineParser::parse(const std::string& text, EditorAction* action) {
  action->line = mLine;
  const std::string line = trimmed(text);
  size_t verbEnd = 0;
  while (verbEnd < line.size() && !isBlank(line[verbEnd])) ++verbEnd;
  const std::string verb = line.substr(0, verbEnd);
  if (verb == "text" || verb == "file" || verb == "shot" || verb == "dump") {
    return parseRest(verb, trimmed(line.substr(verbEnd)), action);
  }
  return parseWords(verb, words(line), action);
}

// Adds the action of one line, if it holds one.
bool addLine(const std::string& name, int number, const std::string& text, const EditorScriptLimits& limits,
             EditorScript* script, std::string* error) {
  const std::string whole = trimmed(text);
  if (whole.empty() || whole[0] == '#') return true;
  const std::string line = trimmed(withoutComment(whole));
  LineParser parser(limits, number);
  EditorAction action;
  if (!parser.parse(line, &action)) {
    *error = name + ":" + std::to_string(number) + ": " + parser.message();
    return false;
  }
  script->actions.push_back(action);
  return true;
}

std::string tooLong(const std::string& name, int number) {
  return name + ":" + std::to_string(number) + ": the line is longer than " + std::to_string(kMaxEditorScriptLine) +
         " characters";
}

}  // namespace

bool readEditorScript(const std::string& path, const EditorScriptLimits& limits, EditorScript* script,
                      std::string* error) {
  const std::string& name = script->name = shownName(path, Use::kRead, Quotes::kNone);
  script->actions.clear();
  std::string text, cause;
  if (!readInput(path, &text, &cause)) {
    *error = readFailure("script", path, cause);
    return false;
  }
  std::string line;
  int number = 1;
  for (std::size_t i = ByteOrderMarkLength(text.c_str()); i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      // A carriage return and a line feed end one line.
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      if (!addLine(name, number++, line, limits, script, error)) return false;
      line.clear();
    } else if (line.size() == static_cast<size_t>(kMaxEditorScriptLine)) {
      *error = tooLong(name, number);
      return false;
    } else {
      line += c;
    }
  }
  return line.empty() || addLine(name, number, line, limits, script, error);
}
