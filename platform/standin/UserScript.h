// Stands in for the person at the screen on Linux: a script that a test or tool fills answers the modal prompts (alerts, file panels, menus, URL opening), and every prompt shown is recorded. A prompt with no answer queued is dismissed, as with Cancel or Escape.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace standin {

struct PromptRecord {
  enum Kind { kAlert, kOpenPanel, kSavePanel, kMenu, kOpenURL };
  Kind kind;
  // Alert: header. Panels: start folder. URL: the address opened.
  std::string title;
  // Alert: message. Panels: default file name.
  std::string message;
  // Alert: button titles, default, alternate, other ("" for the system's own).
  // Panels: allowed file types. Menu: one line per item as shown, submenu
  // items after their item as "title > item"; "-" a separator, "  " in front
  // of a title item, " [x]" after a checked one, " [disabled]" after one
  // that cannot be chosen.
  std::vector<std::string> choices;
  // What the person did: the button number, the file, the menu titles joined
  // by " > ", "opened"; "" when the prompt was dismissed.
  std::string answer;
  // Menu: where it opened, in the coordinates its caller gave (a context
  // menu's event location in its window, a pop-up menu's global position).
  double x = 0.0;
  double y = 0.0;
  // Save panel: why the person did not choose the file of their answer
  // (see CheckSaveAnswers), dismissing the panel instead.
  std::string refusal{};
};

// Each answer goes to the next prompt of its kind.
// Alert buttons: 0 default, 1 alternate, 2 other.
void AnswerAlert(int button);
void AnswerFilePanel(const std::string& path);
// The item titles clicked, as shown (with their number prefixes), from the
// top menu down through submenus.
void AnswerMenu(const std::vector<std::string>& titles);
// The same by the items' positions in their menus, 0 the first, separators
// counted as they are shown.
void AnswerMenuPositions(const std::vector<int>& positions);
// Whether the browser opens the next address.
void AnswerOpenURL(bool opened);
// What the person does while the next prompt is up, before answering it
// (looking at the screen, say).
void WhilePrompted(std::function<void()> action);
// What the person will not choose in a save panel: for the file of an
// answer, why not, or "" when they choose it. Null: any file.
void CheckSaveAnswers(std::function<std::string(const std::string& path)> check);

// For the stand-ins: the next answer of a kind, false when none is queued.
bool TakeAlertAnswer(int* button);
bool TakeFilePanelAnswer(std::string* path);
// A menu answer holds either titles or positions.
struct MenuAnswer {
  std::vector<std::string> titles;
  std::vector<int> positions;
};
bool TakeMenuAnswer(MenuAnswer* answer);
bool TakeOpenURLAnswer(bool* opened);
// Why the person will not save to path; "" when they will.
std::string SaveAnswerRefusal(const std::string& path);
void RecordPrompt(const PromptRecord& record);

const std::vector<PromptRecord>& Prompts();
// Answers not yet used.
int PendingAnswers();
// Forgets every answer and record.
void ResetUserScript();

}  // namespace standin
