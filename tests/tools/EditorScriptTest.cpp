// Reading the editor tool's scripts: every action with its arguments, and a
// message naming the line of the first one that is not an action.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/Fifo.h"
#include "tests/support/TempDirectory.h"
#include "tools/thudrokka/EditorScript.h"

namespace {

using testsupport::Fifo;
using testsupport::TempDirectory;

const EditorScriptLimits kLimits = {1024, 760, 105};

struct Read {
  bool ok;
  EditorScript script;
  std::string error;
};

Read readText(const TempDirectory& dir, const std::string& text) {
  const std::string path = dir.path("script.txt");
  std::ofstream(path, std::ios::binary) << text;
  Read read;
  read.ok = readEditorScript(path, kLimits, &read.script, &read.error);
  return read;
}

TEST(EditorScript, ReadsEveryActionWithItsArguments) {
  const TempDirectory dir;
  const Read good = readText(dir,
                             "# a knob turned\n"
                             "\n"
                             "down 10 20\r\n"
                             "  down 1023 759 R S C A   # the far corner\n"
                             "drag 5 6\n"
                             "up 7 8\n"
                             "dbl 0 0\n"
                             "wheel 3 4 -12 C\n"
                             "key space\n"
                             "key Q\n"
                             "key 0\n"
                             "param 104 0.25\n"
                             "preset 127\n"
                             "menu 3\n"
                             "text  Deep  #1 kick \n"
                             "text\n"
                             "file /tmp/a b.qvp\n"
                             "file\n"
                             "tick\n"
                             "tick 0\n"
                             "shot out/a.png\n"
                             "dump d.txt");
  ASSERT_TRUE(good.ok) << good.error;
  const struct {
    EditorAction::Kind kind;
    int line, x, y;
    bool right, shift, control, option;
    int number;
    double value;
    const char* text;
    unsigned short keyCode;
  } expected[] = {
      {EditorAction::kDown, 3, 10, 20, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kDown, 4, 1023, 759, true, true, true, true, 0, 0.0, "", 0},
      {EditorAction::kDrag, 5, 5, 6, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kUp, 6, 7, 8, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kDoubleClick, 7, 0, 0, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kWheel, 8, 3, 4, false, false, true, false, -12, 0.0, "", 0},
      {EditorAction::kKey, 9, 0, 0, false, false, false, false, 0, 0.0, " ", 49},
      {EditorAction::kKey, 10, 0, 0, false, true, false, false, 0, 0.0, "Q", 12},
      {EditorAction::kKey, 11, 0, 0, false, false, false, false, 0, 0.0, "0", 29},
      {EditorAction::kParam, 12, 0, 0, false, false, false, false, 104, 0.25, "", 0},
      {EditorAction::kPreset, 13, 0, 0, false, false, false, false, 127, 0.0, "", 0},
      {EditorAction::kMenu, 14, 0, 0, false, false, false, false, 3, 0.0, "", 0},
      {EditorAction::kText, 15, 0, 0, false, false, false, false, 0, 0.0, "Deep  #1 kick", 0},
      {EditorAction::kText, 16, 0, 0, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kFile, 17, 0, 0, false, false, false, false, 0, 0.0, "/tmp/a b.qvp", 0},
      {EditorAction::kFile, 18, 0, 0, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kTick, 19, 0, 0, false, false, false, false, 1, 0.0, "", 0},
      {EditorAction::kTick, 20, 0, 0, false, false, false, false, 0, 0.0, "", 0},
      {EditorAction::kShot, 21, 0, 0, false, false, false, false, 0, 0.0, "out/a.png", 0},
      {EditorAction::kDump, 22, 0, 0, false, false, false, false, 0, 0.0, "d.txt", 0},
  };
  ASSERT_EQ(good.script.actions.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const EditorAction& a = good.script.actions[i];
    const auto& e = expected[i];
    SCOPED_TRACE(e.line);
    EXPECT_EQ(a.kind, e.kind);
    EXPECT_EQ(a.line, e.line);
    EXPECT_EQ(a.x, e.x);
    EXPECT_EQ(a.y, e.y);
    EXPECT_EQ(a.right, e.right);
    EXPECT_EQ(a.shift, e.shift);
    EXPECT_EQ(a.control, e.control);
    EXPECT_EQ(a.option, e.option);
    EXPECT_EQ(a.number, e.number);
    EXPECT_EQ(a.value, e.value);
    EXPECT_EQ(a.text, e.text);
    EXPECT_EQ(a.keyCode, e.keyCode);
  }
}

TEST(EditorScript, TheArrowKeysTypeTheirFunctionCharacters) {
  const TempDirectory dir;
  const Read read = readText(dir, "key up\nkey down\nkey left\nkey right\nkey z\nkey 9\n");
  ASSERT_TRUE(read.ok) << read.error;
  const struct {
    const char* characters;
    unsigned short keyCode;
  } expected[] = {{"\uF700", 126}, {"\uF701", 125}, {"\uF702", 123}, {"\uF703", 124}, {"z", 6}, {"9", 25}};
  ASSERT_EQ(read.script.actions.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(read.script.actions[i].text, expected[i].characters) << i;
    EXPECT_EQ(read.script.actions[i].keyCode, expected[i].keyCode) << i;
  }
}

TEST(EditorScript, TheFirstBadLineIsNamedWithWhatIsWrong) {
  const TempDirectory dir;
  const struct {
    std::string line;
    const char* message;
  } cases[] = {
      {"jump 1 2", "unknown action 'jump'"},
      {"Down 1 2", "unknown action 'Down'"},
      {"\x1b[2Jdown 1 2", "unknown action '?[2Jdown'"},
      {"down 1", "down takes X Y and then any of L or R, S, C and A"},
      {"down 1024 0", "X takes a whole number from 0 to 1023, not '1024'"},
      {"down 0 760", "Y takes a whole number from 0 to 759, not '760'"},
      {"down -1 0", "X takes a whole number from 0 to 1023, not '-1'"},
      {"down 1.5 0", "X takes a whole number from 0 to 1023, not '1.5'"},
      {"down 0x10 0", "X takes a whole number from 0 to 1023, not '0x10'"},
      {"down 1 2 M", "down takes any of L or R, S, C and A after the point, not 'M'"},
      {"down 1 2 S S", "down takes each of L or R, S, C and A once"},
      {"down 1 2 L R", "down takes each of L or R, S, C and A once"},
      {"drag 1 2 S", "drag takes X Y"},
      {"up 1 2 3", "up takes X Y"},
      {"dbl 1", "dbl takes X Y"},
      {"wheel 1 2", "wheel takes X Y D and then S or C"},
      {"wheel 1 2 x", "D takes a whole number from -1000 to 1000, not 'x'"},
      {"wheel 1 2 3 A", "wheel takes S or C after the point, not 'A'"},
      {"wheel 1 2 3 S C", "wheel takes X Y D and then S or C"},
      {"key", "key takes one key: a letter, a digit, space, up, down, left or right"},
      {"key enter", "key takes one key: a letter, a digit, space, up, down, left or right, not 'enter'"},
      {"key +", "key takes one key: a letter, a digit, space, up, down, left or right, not '+'"},
      {"key a b", "key takes one key: a letter, a digit, space, up, down, left or right"},
      {"param 105 0.5", "I takes a whole number from 0 to 104, not '105'"},
      {"param 1 1.5", "V takes a number from 0 to 1, not '1.5'"},
      {"param 1 nan", "V takes a number from 0 to 1, not 'nan'"},
      {"param 1", "param takes I V"},
      {"preset", "preset takes N"},
      {"preset -2", "N takes a whole number from 0 to 99999, not '-2'"},
      {"menu one", "N takes a whole number from 0 to 99999, not 'one'"},
      {"tick 1 2", "tick takes at most N"},
      {"tick -1", "N takes a whole number from 0 to 1000000, not '-1'"},
      {"text tab\there", "text takes printable UTF-8 characters only"},
      {"text \xff", "text takes printable UTF-8 characters only"},
      {"shot", "shot takes a file name"},
      {"dump   ", "dump takes a file name"},
      // A file name ends at a NUL when it is opened: a\0b.png would write a.
      {std::string("shot a\0b.png", 12), "shot takes a file name of printable UTF-8 characters only"},
      {"shot \x1b[31mred.png", "shot takes a file name of printable UTF-8 characters only"},
      {"dump tab\there.txt", "dump takes a file name of printable UTF-8 characters only"},
      {"dump \xff.txt", "dump takes a file name of printable UTF-8 characters only"},
      {"file /tmp/p\x7f.qvp", "file takes a file name of printable UTF-8 characters only"},
      {"file /tmp/p\xc2\x9b" "2J.qvp", "file takes a file name of printable UTF-8 characters only"},
      // - is a standard stream everywhere else; a panel chooses files.
      {"file -", "file takes a file that a panel can choose, not a standard stream (./- names a file called -)"},
      {"file - # the stream", "file takes a file that a panel can choose, not a standard stream (./- names a file "
                              "called -)"},
      // A '#' joined to the end of an action is part of it.
      {"tick#", "unknown action 'tick#'"},
      // Numbers are plain decimals, as on the command line.
      {"param 0 0x1p-2", "V takes a number from 0 to 1, not '0x1p-2'"},
      {"param 0 1e-1", "V takes a number from 0 to 1, not '1e-1'"},
      {"down +5 0", "X takes a whole number from 0 to 1023, not '+5'"},
      {"tick 0x10", "N takes a whole number from 0 to 1000000, not '0x10'"},
      {"note", "note takes K V SECONDS"},
      {"note 48 100", "note takes K V SECONDS"},
      {"note 48 100 0.5 1", "note takes K V SECONDS"},
      {"note 128 100 0.5", "K takes a whole number from 0 to 127, not '128'"},
      {"note 48 0 0.5", "V takes a whole number from 1 to 127, not '0'"},
      {"note 48 100 -1", "SECONDS takes a number from 0 to 60, not '-1'"},
      {"note 48 100 61", "SECONDS takes a number from 0 to 60, not '61'"},
  };
  for (const auto& c : cases) {
    const Read read = readText(dir, "# first\ntick\n" + c.line + "\ntick\n");
    EXPECT_FALSE(read.ok) << c.line;
    EXPECT_EQ(read.error, dir.path("script.txt") + ":3: " + c.message);
  }
}

TEST(EditorScript, TheNoteActionTakesNumberVelocityAndSeconds) {
  const TempDirectory dir;
  const Read read = readText(dir, "note 48 100 0.5\nnote 0 1 0 # a click\nnote 127 127 60\n");
  ASSERT_TRUE(read.ok) << read.error;
  const struct {
    int note, velocity;
    double seconds;
  } expected[] = {{48, 100, 0.5}, {0, 1, 0.0}, {127, 127, 60.0}};
  ASSERT_EQ(read.script.actions.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const EditorAction& a = read.script.actions[i];
    EXPECT_EQ(a.kind, EditorAction::kNote) << i;
    EXPECT_EQ(a.number, expected[i].note) << i;
    EXPECT_EQ(a.velocity, expected[i].velocity) << i;
    EXPECT_EQ(a.value, expected[i].seconds) << i;
  }
}

// One rule for every action: a '#' that stands alone begins a comment, any
// other '#' is part of what the line holds.
TEST(EditorScript, ACommentIsALoneHashToTheEndOfTheLine) {
  const TempDirectory dir;
  const struct {
    std::string line;
    EditorAction::Kind kind;
    std::string text;
    int number;
  } cases[] = {
      {"shot c.png # the screen", EditorAction::kShot, "c.png", 0},
      {"dump d.txt\t#\tthe controls", EditorAction::kDump, "d.txt", 0},
      {"shot a#b.png", EditorAction::kShot, "a#b.png", 0},
      {"shot #1.png", EditorAction::kShot, "#1.png", 0},
      {"text #MY KICK# # renamed", EditorAction::kText, "#MY KICK#", 0},
      {"text Deep  #1 kick", EditorAction::kText, "Deep  #1 kick", 0},
      {"file # cancel", EditorAction::kFile, "", 0},
      {"note 48 100 .5 # comment", EditorAction::kNote, "", 48},
      {"tick 3 #", EditorAction::kTick, "", 3},
  };
  for (const auto& c : cases) {
    const Read read = readText(dir, "#tick\n  # tick\n" + c.line + "\n");
    ASSERT_TRUE(read.ok) << c.line << ": " << read.error;
    ASSERT_EQ(read.script.actions.size(), 1u) << c.line;
    EXPECT_EQ(read.script.actions[0].kind, c.kind) << c.line;
    EXPECT_EQ(read.script.actions[0].text, c.text) << c.line;
    EXPECT_EQ(read.script.actions[0].number, c.number) << c.line;
  }
  // A '#' inside a word of numbers is no comment, and says so.
  const Read joined = readText(dir, "note 48 100 .5 #comment\n");
  EXPECT_FALSE(joined.ok);
  EXPECT_EQ(joined.error, dir.path("script.txt") + ":1: note takes K V SECONDS");
}

// Editors that mark a file as UTF-8 start it with a byte-order mark; only
// there is it skipped.
TEST(EditorScript, AByteOrderMarkAtTheStartIsSkipped) {
  const TempDirectory dir;
  const Read marked = readText(dir, "\xEF\xBB\xBFtick 2\n");
  ASSERT_TRUE(marked.ok) << marked.error;
  ASSERT_EQ(marked.script.actions.size(), 1u);
  EXPECT_EQ(marked.script.actions[0].number, 2);
  const Read later = readText(dir, "tick\n\xEF\xBB\xBFtick 2\n");
  EXPECT_FALSE(later.ok);
  EXPECT_EQ(later.error, dir.path("script.txt") + ":2: unknown action '?tick'");
}

// A pipe the command was given is read whole: the script is all there
// before the first action runs.
TEST(EditorScript, AScriptComesThroughAPipe) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const std::string text = "tick 4\nshot a.png\n";
  ASSERT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(fds[1]);
  EditorScript script;
  std::string error;
  const std::string name = "/dev/fd/" + std::to_string(fds[0]);
  ASSERT_TRUE(readEditorScript(name, kLimits, &script, &error)) << error;
  ::close(fds[0]);
  EXPECT_EQ(script.name, name);
  ASSERT_EQ(script.actions.size(), 2u);
  EXPECT_EQ(script.actions[0].number, 4);
  EXPECT_EQ(script.actions[1].text, "a.png");
}

// A line ends at a line feed, a carriage return and line feed, or a lone
// carriage return, as in program files: no carriage return reaches a word.
TEST(EditorScript, CarriageReturnsEndLines) {
  const TempDirectory dir;
  const struct {
    const char* name;
    std::string text;
  } scripts[] = {
      {"line feeds", "tick 5\nshot a.png\ntext hi\n"},
      {"CRLF", "tick 5\r\nshot a.png\r\ntext hi\r\n"},
      {"CR", "tick 5\rshot a.png\rtext hi\r"},
      {"CR CRLF", "tick 5\r\r\nshot a.png\r\r\ntext hi\r\r\n"},
      {"no end", "tick 5\r\nshot a.png\r\ntext hi"},
  };
  for (const auto& s : scripts) {
    const Read read = readText(dir, s.text);
    ASSERT_TRUE(read.ok) << s.name << ": " << read.error;
    ASSERT_EQ(read.script.actions.size(), 3u) << s.name;
    EXPECT_EQ(read.script.actions[0].number, 5) << s.name;
    EXPECT_EQ(read.script.actions[1].text, "a.png") << s.name;
    EXPECT_EQ(read.script.actions[2].text, "hi") << s.name;
  }

  const struct {
    std::string text;
    const char* error;
  } bad[] = {
      {"tick\r\nfrob\r\n", ":2: unknown action 'frob'"},
      {"tick\rtick\rfrob\r", ":3: unknown action 'frob'"},
      {"tick\r\r\nfrob\r\n", ":3: unknown action 'frob'"},
      {"down 1\r2\n", ":1: down takes X Y and then any of L or R, S, C and A"},
  };
  for (const auto& b : bad) {
    const Read read = readText(dir, b.text);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, dir.path("script.txt") + b.error);
  }
}

TEST(EditorScript, FilesThatCannotBeScriptsAreRefused) {
  const TempDirectory dir;
  const Fifo fifo(dir.path("pipe"));
  ASSERT_TRUE(fifo.made());
  const struct {
    std::string path, cause;
  } cases[] = {
      {dir.path("missing.txt"), "No such file or directory"},
      {dir.path(), "Is a directory"},
      // Nothing writes the pipe: a reader that waits for a writer never ends.
      {fifo.path(), "nothing writes the pipe"},
      {"/dev/zero", "not a file or a pipe"},
  };
  for (const auto& c : cases) {
    EditorScript script;
    std::string error;
    bool read = true;
    EXPECT_TRUE(fifo.returnsPromptly([&] { read = readEditorScript(c.path, kLimits, &script, &error); })) << c.path;
    EXPECT_FALSE(read) << c.path;
    EXPECT_EQ(error, "cannot read script '" + c.path + "': " + c.cause);
  }

  // The script's name shows printably, in either kind of message.
  const std::string odd = dir.path("odd\x1b[2J.txt"), shown = dir.path("odd?[2J.txt");
  EditorScript script;
  std::string error;
  EXPECT_FALSE(readEditorScript(odd, kLimits, &script, &error));
  EXPECT_EQ(error, "cannot read script '" + shown + "': No such file or directory");
  std::ofstream(odd, std::ios::binary) << "frob\n";
  EXPECT_FALSE(readEditorScript(odd, kLimits, &script, &error));
  EXPECT_EQ(error, shown + ":1: unknown action 'frob'");
  std::filesystem::remove(odd);

  const Read longest = readText(dir, "tick\nshot " + std::string(kMaxEditorScriptLine - 5, 'x') + "\n");
  EXPECT_TRUE(longest.ok) << longest.error;
  const Read tooLong = readText(dir, "tick\nshot " + std::string(kMaxEditorScriptLine - 4, 'x') + "\n");
  EXPECT_FALSE(tooLong.ok);
  EXPECT_EQ(tooLong.error, dir.path("script.txt") + ":2: the line is longer than 4096 characters");
  const Read empty = readText(dir, "");
  EXPECT_TRUE(empty.ok);
  EXPECT_TRUE(empty.script.actions.empty());
}

}  // namespace
