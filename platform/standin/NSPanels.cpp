#include "platform/standin/NSPanels.h"

#include "platform/standin/UserScript.h"

int NSSavePanel::run(const std::string& directory, const std::string& file) {
  standin::PromptRecord record{mOpen ? standin::PromptRecord::kOpenPanel : standin::PromptRecord::kSavePanel,
                               directory, file, mTypes, ""};
  std::string path;
  const bool answered = standin::TakeFilePanelAnswer(&path) && !path.empty();
  if (answered && !mOpen) record.refusal = standin::SaveAnswerRefusal(path);
  const bool chosen = answered && record.refusal.empty();
  if (chosen) {
    mFilename = path;
    record.answer = path;
  }
  standin::RecordPrompt(record);
  return chosen ? NSOKButton : NSCancelButton;
}

int NSSavePanel::runModalForDirectory(const std::string& directory, const std::string& file) {
  return run(directory, file);
}

int NSOpenPanel::runModalForDirectory(const std::string& directory, const std::string& file,
                                      const std::vector<std::string>& types) {
  mTypes = types;
  return run(directory, file);
}
