#pragma once

#include <string>
#include <vector>

// One action of an editor script, as its line gives it.
struct EditorAction {
  enum Kind {
    kDown,         // down X Y [L|R] [S] [C] [A]
    kDrag,         // drag X Y
    kUp,           // up X Y
    kDoubleClick,  // dbl X Y
    kWheel,        // wheel X Y D [S|C]
    kKey,          // key CODE
    kParam,        // param I V
    kNote,         // note K V SECONDS
    kPreset,       // preset N
    kMenu,         // menu N
    kText,         // text STRING
    kFile,         // file PATH
    kTick,         // tick [N]
    kShot,         // shot FILE.png
    kDump,         // dump FILE.txt
  };

  Kind kind = kTick;
  int line = 0;
  // Editor pixels from the top-left corner.
  int x = 0;
  int y = 0;
  // down: the right button rather than the left; down and wheel: keys held.
  bool right = false;
  bool shift = false;
  bool control = false;
  bool option = false;
  // wheel: steps; param: index; note: number; preset: slot; menu: item;
  // tick: periods.
  int number = 0;
  // note: the velocity, 1 to 127.
  int velocity = 0;
  // param: the value, 0 to 1; note: the seconds it is held.
  double value = 0.0;
  // text: what is typed; file, shot, dump: a path (file: empty cancels);
  // key: the characters the key types.
  std::string text;
  // key: the hardware key code.
  unsigned short keyCode = 0;
};

struct EditorScript {
  // As the script was named, printable, for messages.
  std::string name;
  std::vector<EditorAction> actions;
};

// What the script is checked against before anything runs.
struct EditorScriptLimits {
  int width;
  int height;
  int parameters;
};

// Lines longer than this are refused rather than read on without end.
constexpr int kMaxEditorScriptLine = 4096;

// Reads the actions of a script, one a line, from the file that path names
// or, for '-', from standard input, read whole first (see readInput); a
// byte-order mark at its start is skipped. Each line is ended by a line
// feed, a carriage return and line feed, or a lone carriage return. A '#'
// that stands alone, between blanks or the line's ends, begins a comment to
// the end of the line, after any action; a line whose first character other
// than a blank is '#' is a comment too, and blank lines are skipped. Any
// other '#' is part of a word or a text. File names take printable UTF-8
// characters only, and file, which answers a panel, does not take '-'. False, with error set to "NAME:LINE: what is wrong" at
// the first line that is not an action, or to "cannot read script 'PATH':
// cause" ("... from standard input: cause").
bool readEditorScript(const std::string& path, const EditorScriptLimits& limits, EditorScript* script,
                      std::string* error);
