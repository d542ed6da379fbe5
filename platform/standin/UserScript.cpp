#include "platform/standin/UserScript.h"

#include <deque>
#include <utility>

namespace {

struct Script {
  std::deque<int> alerts;
  std::deque<std::string> files;
  std::deque<standin::MenuAnswer> menus;
  std::deque<bool> urls;
  std::function<void()> whilePrompted;
  std::function<std::string(const std::string&)> checkSave;
  std::vector<standin::PromptRecord> prompts;
};

Script& TheScript() {
  static Script script;
  return script;
}

template <class T>
bool Take(std::deque<T>* queue, T* out) {
  // Taken first: the action may itself prompt.
  if (std::function<void()> action = std::exchange(TheScript().whilePrompted, nullptr)) action();
  if (queue->empty()) return false;
  *out = queue->front();
  queue->pop_front();
  return true;
}

}  // namespace

void standin::AnswerAlert(int button) { TheScript().alerts.push_back(button); }

void standin::AnswerFilePanel(const std::string& path) { TheScript().files.push_back(path); }

void standin::AnswerMenu(const std::vector<std::string>& titles) { TheScript().menus.push_back({titles, {}}); }

void standin::AnswerMenuPositions(const std::vector<int>& positions) {
  TheScript().menus.push_back({{}, positions});
}

void standin::AnswerOpenURL(bool opened) { TheScript().urls.push_back(opened); }

void standin::WhilePrompted(std::function<void()> action) { TheScript().whilePrompted = std::move(action); }

void standin::CheckSaveAnswers(std::function<std::string(const std::string& path)> check) {
  TheScript().checkSave = std::move(check);
}

bool standin::TakeAlertAnswer(int* button) { return Take(&TheScript().alerts, button); }

bool standin::TakeFilePanelAnswer(std::string* path) { return Take(&TheScript().files, path); }

bool standin::TakeMenuAnswer(MenuAnswer* answer) { return Take(&TheScript().menus, answer); }

bool standin::TakeOpenURLAnswer(bool* opened) { return Take(&TheScript().urls, opened); }

std::string standin::SaveAnswerRefusal(const std::string& path) {
  const auto& check = TheScript().checkSave;
  return check ? check(path) : "";
}

void standin::RecordPrompt(const PromptRecord& record) { TheScript().prompts.push_back(record); }

const std::vector<standin::PromptRecord>& standin::Prompts() { return TheScript().prompts; }

int standin::PendingAnswers() {
  const Script& s = TheScript();
  return static_cast<int>(s.alerts.size() + s.files.size() + s.menus.size() + s.urls.size());
}

void standin::ResetUserScript() { TheScript() = Script(); }
