#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/IPlugGUI.h"

namespace testsupport {

// Editor stand-in: records what the plug-in object pushes to it and answers
// file prompts from a script (an empty answer, or none, is a cancelled dialog).
class RecordingGraphics : public IPlugGUI {
 public:
  struct SetCall {
    int idx;
    double value;
    bool normalized;
  };
  struct Prompt {
    EFileAction action;
    std::string prefilled;
    std::string extensions;
  };

  explicit RecordingGraphics(int* destroyedCount = nullptr) : mDestroyedCount(destroyedCount) {}
  ~RecordingGraphics() override {
    if (mDestroyedCount) ++*mDestroyedCount;
  }

  void SetParameterFromPlug(int paramIdx, double value, bool normalized) override {
    mSetCalls.push_back({paramIdx, value, normalized});
  }
  void PrepDraw() override {
    ++mPrepDrawCalls;
    mSetCallsBeforePrepDraw = static_cast<int>(mSetCalls.size());
  }
  void PromptForFile(WDL_String* fileName, EFileAction action, WDL_String* dir,
                     const char* extensions) override {
    mPrompts.push_back({action, fileName ? fileName->Get() : "", extensions ? extensions : ""});
    std::string answer;
    if (!mScriptedAnswers.empty()) {
      answer = mScriptedAnswers.front();
      mScriptedAnswers.pop_front();
    }
    if (fileName) fileName->Set(answer.c_str());
    if (dir && !answer.empty()) dir->Set(answer.substr(0, answer.find_last_of('/')).c_str());
  }

  std::vector<SetCall> mSetCalls;
  int mPrepDrawCalls = 0;
  int mSetCallsBeforePrepDraw = -1;
  std::vector<Prompt> mPrompts;
  std::deque<std::string> mScriptedAnswers;

 private:
  int* mDestroyedCount;
};

}  // namespace testsupport
