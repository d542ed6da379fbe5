#include <cstdlib>
#include <string>
#include <vector>

#include "framework/OutputFile.h"
#include "instrument/Thudrokka.h"
#include "lice/PNG.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/UserScript.h"
#include "program/VstParameters.h"
#include "tools/thudrokka/ControlDump.h"
#include "tools/thudrokka/EditorScript.h"
#include "tools/thudrokka/EditorScriptRunner.h"
#include "tools/thudrokka/EditorSession.h"
#include "tools/thudrokka/Folders.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/ProgramInput.h"
#include "tools/thudrokka/StandardStreams.h"
#include "tools/thudrokka/Subcommands.h"

namespace {

const CommandHelp kHelp = {
    "editor",
    "editor [--preset N | --program FILE] [--folder DIR] [--shot FILE.png] [--dump FILE.txt] [--script FILE]",
    "Opens the instrument's editor as a host does, in a window of its own, and writes what is on its screen.\n"
    "--shot and --dump show the editor once it has drawn itself; the script then plays, one action a line,\n"
    "each line at most 4096 characters. A line whose first character other than a blank is # is a\n"
    "comment. A # on its own, with a blank or the line's end on each side, begins a comment that runs to\n"
    "the end of the line, after any action too; any other # is part of a word or a text (text #1 KICK#,\n"
    "shot a#b.png, tick#). Blank lines are skipped. X Y are editor pixels from the top-left corner. In\n"
    "place of a file name, - is standard input for --program and --script, standard output for one of\n"
    "--shot, --dump, shot and dump; a file PATH that names standard output counts as that one too. No\n"
    "output, a save from a file panel included, may write over the program, the script or an image\n"
    "that the editor reads.\n"
    "\n"
    "  down X Y [L|R] [S] [C] [A]  press the left or right button, with Shift, Control or Option held\n"
    "  drag X Y                    move the pressed mouse\n"
    "  up X Y                      release it\n"
    "  dbl X Y                     the second press of a double click, left button (up releases it)\n"
    "  wheel X Y D [S|C]           turn the wheel D steps (negative: down)\n"
    "  key CODE                    a letter, a digit, space, up, down, left or right\n"
    "  param I V                   the host sets parameter I (from 0) to V (0 to 1)\n"
    "  note K V SECONDS            the host plays note K (0 to 127) at velocity V (1 to 127) for SECONDS\n"
    "                              (up to 60), rendering blocks of 512 frames at 44.1 kHz as it does;\n"
    "                              the note read-out shows it at the next tick, the level meter once the\n"
    "                              editor has idled a few ticks\n"
    "  preset N                    the host chooses preset slot N (from 0)\n"
    "  menu N                      the next menu: choose its item N (from 0, separators counted)\n"
    "  text STRING                 the next text entry: type STRING, then Return\n"
    "  file PATH                   the next file panel: choose PATH (nothing: cancel; a panel chooses\n"
    "                              files, so not -); a load that fails or reads a line not as it\n"
    "                              stands, and a save that fails, say so on standard error, as the\n"
    "                              editor says it in a message box\n"
    "  tick [N]                    let the editor's timer run N periods (default 1); the screen\n"
    "                              shows a change only after the tick that draws it\n"
    "  shot FILE.png               the screen as a picture\n"
    "  dump FILE.txt               the controls, one line each, tab-separated: index, class,\n"
    "                              rectangle L T R B, parameter, value, text, tab, hidden or shown"};
constexpr double kEditorRate = 44100.0;
constexpr int kEditorBlock = 512;

// A file the command reads, and what it is to the command ("program", ...).
struct Input {
  std::string kind;
  std::string path;
};

// A file the command writes, where it goes, and what names it: an option
// ("--shot") or a line of the script ("dump" on line 3). A file panel's
// answer may be a save's.
struct Output {
  enum Kind { kPicture, kText, kPanelAnswer };
  std::string writer;
  int line;  // 0 for an option
  std::string path;
  Kind kind;
};

// How messages name the output: "--dump", "dump (line 3 of SCRIPT)".
std::string namedBy(const Output& output, const EditorScript& script) {
  if (output.line == 0) return output.writer;
  return output.writer + " (line " + std::to_string(output.line) + " of " + script.name + ")";
}

// Where a file the command writes goes: a relative path is taken in folder.
std::string placedIn(const std::string& folder, const std::string& path) {
  return folder.empty() || path.empty() || path[0] == '/' ? path : folder + "/" + path;
}

// What refuses writing path, as writer names it, over any of the inputs;
// empty when it writes over none.
std::string writeOverAnInput(const std::vector<Input>& inputs, const std::string& writer, const std::string& path) {
  for (const Input& input : inputs) {
    const std::string refusal = writeOverRefusal(writer, path, input.kind, input.path);
    if (!refusal.empty()) return refusal;
  }
  return "";
}

// No output is an input; what a panel's answer writes over is known only
// if a save panel takes it. The exit status, said when not kExitOk.
int checkWritesOver(const std::vector<Input>& inputs, const std::vector<Output>& outputs, const EditorScript& script) {
  for (const Output& output : outputs) {
    if (output.kind == Output::kPanelAnswer) continue;
    const std::string refusal = writeOverAnInput(inputs, output.writer, output.path);
    if (refusal.empty()) continue;
    const std::string where = output.line == 0 ? "" : script.name + ":" + std::to_string(output.line) + ": ";
    return fail(kHelp.name, where + refusal, kExitFailure);
  }
  return kExitOk;
}

// What the names of the inputs and outputs tell together, before anything
// is made: standard output takes one output, as two would run into each
// other, and no output is an input. The exit status, said when not kExitOk.
int checkNamesTogether(const std::vector<Input>& inputs, const std::vector<Output>& outputs,
                       const EditorScript& script) {
  const Output* toStandardOutput = nullptr;
  for (const Output& output : outputs) {
    if (!isStandardOutput(output.path)) continue;
    if (toStandardOutput) {
      return fail(kHelp.name,
                  "standard output can take one output, not both " + namedBy(*toStandardOutput, script) + " and " +
                      namedBy(output, script),
                  kExitUsage);
    }
    toStandardOutput = &output;
  }
  return checkWritesOver(inputs, outputs, script);
}

// Without its images the editor would draw a black screen with bare texts.
std::string missingImagesMessage(const std::string& image) {
  const std::string root = LICE_ResourceRoot();
  const char* chosen = std::getenv("THUDROKKA_RESOURCES");
  const std::string make = chosen && *chosen
                               ? std::string(THUDROKKA_IMAGE_GENERATOR) + " --output " + root
                               : "cmake --build " + std::string(THUDROKKA_BUILD_DIR) + " --target editor-images";
  return "the editor's images are missing (no " + image.substr(image.find_last_of('/') + 1) + " in " + root +
         "); make them with '" + make + "'";
}

}  // namespace

int runEditor(int argc, char** argv) {
  const std::vector<OptionSpec> options = {
      {"--preset", "N", nullptr, "preset slot to show, counted from 0"},
      {"--program", "FILE", nullptr, "program file to load instead of a preset, or - for standard input"},
      {"--folder", "DIR", nullptr,
       "folder that relative --shot, --dump, shot and dump paths write into; made if missing (default: the "
       "current one)"},
      {"--shot", "FILE.png", nullptr, "write the screen once the editor has drawn itself"},
      {"--dump", "FILE.txt", nullptr, "write the list of controls then"},
      {"--script", "FILE", nullptr, "then play the actions of this script, or - for standard input"},
  };
  CommandLine line;
  int status = kExitOk;
  if (!parseCommand(kHelp, options, argc, argv, &line, &status)) return status;
  if (!line.positional().empty())
    return fail(kHelp.name, "unexpected argument '" + line.positional()[0] + "'", kExitUsage);
  if (line.has("--preset") && line.has("--program"))
    return fail(kHelp.name, "give --preset or --program, not both", kExitUsage);
  if (!line.has("--shot") && !line.has("--dump") && !line.has("--script"))
    return fail(kHelp.name, "give --shot, --dump or --script", kExitUsage);

  std::vector<Input> inputs;
  if (line.has("--program")) inputs.push_back({"program", line.value("--program")});
  if (line.has("--script")) inputs.push_back({"script", line.value("--script")});
  if (inputs.size() == 2 && isStandardInput(inputs[0].path) && isStandardInput(inputs[1].path))
    return fail(kHelp.name, "standard input can be --program or --script, not both", kExitUsage);

  std::string error;
  EditorScript script;
  const EditorScriptLimits limits = {Thudrokka::kEditorWidth, Thudrokka::kEditorHeight,
                                     Quillvane::Synth::kNumParameters};
  if (line.has("--script") && !readEditorScript(line.value("--script"), limits, &script, &error)) {
    return fail(kHelp.name, error, kExitFailure);
  }
  const std::string folder = line.value("--folder");
  if (folder == kStandardStream) return fail(kHelp.name, "--folder takes a folder, not standard output", kExitUsage);
  const std::string shot = placedIn(folder, outputPath(line.value("--shot")));
  const std::string dump = placedIn(folder, outputPath(line.value("--dump")));
  std::vector<Output> outputs;
  if (line.has("--shot")) outputs.push_back({"--shot", 0, shot, Output::kPicture});
  if (line.has("--dump")) outputs.push_back({"--dump", 0, dump, Output::kText});
  for (EditorAction& action : script.actions) {
    if (action.kind == EditorAction::kFile && !action.text.empty()) {
      outputs.push_back({"file", action.line, action.text, Output::kPanelAnswer});
    }
    if (action.kind != EditorAction::kShot && action.kind != EditorAction::kDump) continue;
    action.text = placedIn(folder, outputPath(action.text));
    const bool picture = action.kind == EditorAction::kShot;
    outputs.push_back(
        {picture ? "shot" : "dump", action.line, action.text, picture ? Output::kPicture : Output::kText});
  }
  // What can be known about the names is refused before the editor opens.
  if ((status = checkNamesTogether(inputs, outputs, script)) != kExitOk) return status;
  if (line.has("--folder") && !makeFolder(folder, &error)) return fail(kHelp.name, error, kExitFailure);
  for (const Output& output : outputs) {
    if (output.kind == Output::kPicture && goesToATerminal(output.path)) {
      return fail(kHelp.name,
                  shownName(output.path, Use::kWrite) + " is a terminal, which cannot show a PNG picture: "
                                                        "redirect it to a file or a program, or name a file",
                  kExitFailure);
    }
  }
  for (const Output& output : outputs) {
    const std::string refusal = output.kind == Output::kPanelAnswer ? "" : OutputFile::refusal(output.path.c_str());
    if (!refusal.empty()) return fail(kHelp.name, refusal, kExitFailure);
  }

  InstrumentHost host;
  if (host.open(kEditorRate, kEditorBlock) != noErr)
    return fail(kHelp.name, "cannot open the instrument", kExitFailure);
  if (line.has("--preset") && !chooseGivenPreset(kHelp, line, host, &status)) return status;
  if (line.has("--program") && !loadProgramArgument(kHelp.name, line.value("--program"), *host.instrument())) {
    return kExitFailure;
  }

  EditorSession session(host);
  if (const IGraphicsMac* gui = session.editor()) {
    const std::string missing = gui->FirstMissingBitmap();
    if (!missing.empty()) return fail(kHelp.name, missingImagesMessage(missing), kExitFailure);
    // The images count among the inputs once the editor has read them.
    for (const std::string& image : gui->ImageFilesRead()) inputs.push_back({"image", image});
    if ((status = checkWritesOver(inputs, outputs, script)) != kExitOk) return status;
  }
  standin::CheckSaveAnswers(
      [inputs](const std::string& path) { return writeOverAnInput(inputs, "a save to", path); });
  if (!session.open(&error)) return fail(kHelp.name, error, kExitFailure);
  session.tick(1);
  if (line.has("--shot") && !session.writeShot(shot, &error)) return fail(kHelp.name, error, kExitFailure);
  if (line.has("--dump") && !writeControlDump(dump, *host.instrument(), &error))
    return fail(kHelp.name, error, kExitFailure);
  int unused = 0;
  // What the editor tells the person in its message boxes, the person reads here.
  const auto told = [](const std::string& message) { warn(kHelp.name, message); };
  if (!runEditorScript(host, session, script, told, &error, &unused)) return fail(kHelp.name, error, kExitFailure);
  if (unused > 0) {
    warn(kHelp.name, script.name + ": " + std::to_string(unused) + (unused == 1 ? " answer was" : " answers were") +
                         " never asked for");
  }
  return kExitOk;
}
