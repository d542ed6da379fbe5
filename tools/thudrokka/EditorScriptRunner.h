#pragma once

#include <functional>
#include <string>

class EditorSession;
class InstrumentHost;
struct EditorScript;

// Plays a script on the open editor of host's instrument. Mouse, wheel and
// key actions are events of the editor's window; param, note and preset are
// the host's own; menu and file queue the person's answer to the next
// menu or file panel, text the next text entry, typed once the field is open
// and no button is held. Each line of a message box that the editor shows
// goes to told as it is shown, since no one sees the box itself. False,
// with error set to "SCRIPT:LINE: what failed", at the first action that
// fails, a save panel that the person would not answer as the script says
// (see standin::CheckSaveAnswers) among them; what ran before it stays
// done. unused counts the answers the script gave that nothing asked for.
bool runEditorScript(InstrumentHost& host, EditorSession& session, const EditorScript& script,
                     const std::function<void(const std::string&)>& told, std::string* error, int* unused);
