#include "tools/thudrokka/EditorScriptRunner.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "instrument/Thudrokka.h"
#include "platform/standin/UserScript.h"
#include "tools/thudrokka/ControlDump.h"
#include "tools/thudrokka/EditorScript.h"
#include "tools/thudrokka/EditorSession.h"
#include "tools/thudrokka/InstrumentHost.h"
#include "tools/thudrokka/PresetChoice.h"

namespace {

MouseKeys keysOf(const EditorAction& a) {
  MouseKeys keys;
  keys.right = a.right;
  keys.shift = a.shift;
  keys.control = a.control;
  keys.option = a.option;
  return keys;
}

// One action; false, with error set, when it fails.
bool run(InstrumentHost& host, EditorSession& session, const EditorAction& a, std::deque<std::string>* texts,
         std::string* error) {
  switch (a.kind) {
    case EditorAction::kDown:
      session.mouseDown(a.x, a.y, keysOf(a));
      return true;
    case EditorAction::kDoubleClick:
      session.mouseDown(a.x, a.y, MouseKeys(), 2);
      return true;
    case EditorAction::kDrag:
      session.mouseDrag(a.x, a.y);
      return true;
    case EditorAction::kUp:
      session.mouseUp(a.x, a.y);
      return true;
    case EditorAction::kWheel:
      session.wheel(a.x, a.y, a.number, keysOf(a));
      return true;
    case EditorAction::kKey:
      session.key(a.keyCode, a.text, a.shift);
      return true;
    case EditorAction::kParam:
      if (host.session().SetParameter(static_cast<AudioUnitParameterID>(a.number),
                                      static_cast<AudioUnitParameterValue>(a.value)) == noErr) {
        session.tick(0);
        return true;
      }
      *error = "the instrument refused parameter " + std::to_string(a.number);
      return false;
    case EditorAction::kNote:
      if (host.playNote(a.number, a.velocity, std::llround(a.value * host.sampleRate())) == noErr) {
        session.tick(0);
        return true;
      }
      *error = "the instrument refused note " + std::to_string(a.number);
      return false;
    case EditorAction::kPreset:
      if (!choosePreset(host, a.number, error)) return false;
      session.tick(0);
      return true;
    case EditorAction::kMenu:
      standin::AnswerMenuPositions({a.number});
      return true;
    case EditorAction::kText:
      texts->push_back(a.text);
      return true;
    case EditorAction::kFile:
      standin::AnswerFilePanel(a.text);
      return true;
    case EditorAction::kTick:
      session.tick(a.number);
      return true;
    case EditorAction::kShot:
      return session.writeShot(a.text, error);
    case EditorAction::kDump:
      return writeControlDump(a.text, *host.instrument(), error);
  }
  return true;
}

// Each line of the message boxes shown since the prompt seen last; why a
// save panel among them was not answered, if one was not, in refusal.
void takePrompts(std::size_t* seen, const std::function<void(const std::string&)>& told, std::string* refusal) {
  const std::vector<standin::PromptRecord>& prompts = standin::Prompts();
  for (; *seen < prompts.size(); ++*seen) {
    if (refusal->empty()) *refusal = prompts[*seen].refusal;
    if (prompts[*seen].kind != standin::PromptRecord::kAlert) continue;
    const std::string& message = prompts[*seen].message;
    for (std::size_t start = 0; start <= message.size();) {
      const std::size_t end = std::min(message.find('\n', start), message.size());
      told(message.substr(start, end - start));
      start = end + 1;
    }
  }
}

}  // namespace

bool runEditorScript(InstrumentHost& host, EditorSession& session, const EditorScript& script,
                     const std::function<void(const std::string&)>& told, std::string* error, int* unused) {
  const int pendingBefore = standin::PendingAnswers();
  std::size_t promptsSeen = standin::Prompts().size();
  std::deque<std::string> texts;
  for (const EditorAction& action : script.actions) {
    std::string failure, refusal;
    bool ran = run(host, session, action, &texts, &failure);
    takePrompts(&promptsSeen, told, &refusal);
    if (ran && !refusal.empty()) {
      ran = false;
      failure = refusal;
    }
    if (!ran) {
      *error = script.name + ":" + std::to_string(action.line) + ": " + failure;
      return false;
    }
    // A person types once the field is there and the mouse is let go.
    if (!texts.empty() && !session.buttonHeld() && session.textFieldOpen()) {
      session.enterText(texts.front());
      texts.pop_front();
    }
  }
  *unused = static_cast<int>(texts.size()) + standin::PendingAnswers() - pendingBefore;
  return true;
}
