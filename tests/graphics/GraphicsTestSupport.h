#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/IPlugBase.h"
#include "graphics/IControl.h"
#include "graphics/IGraphics.h"
#include "graphics/IPopupMenu.h"
#include "lice/LICE_MemBitmap.h"
#include "tests/framework/TestHostPlug.h"

namespace gfxtest {

typedef std::vector<std::string> Log;

// A host adapter whose gesture brackets go into a shared log.
class LoggingPlug : public fwtest::TestHostPlug {
 public:
  // Unit parameters are doubles over 0..1 with default 0.5; others are left
  // for the test to declare.
  explicit LoggingPlug(Log* log = nullptr, int nParams = 105, bool unitParams = true)
      : TestHostPlug(nParams), mLog(log) {
    if (unitParams) InitUnitParams(0.5);
  }
  void BeginInformHostOfParamChange(int idx) override {
    TestHostPlug::BeginInformHostOfParamChange(idx);
    if (mLog) mLog->push_back("begin " + std::to_string(idx));
  }
  void EndInformHostOfParamChange(int idx) override {
    TestHostPlug::EndInformHostOfParamChange(idx);
    if (mLog) mLog->push_back("end " + std::to_string(idx));
  }
  void OnIdle() override { ++mIdleCalls; }

  int mIdleCalls = 0;

 private:
  Log* mLog;
};

// An editor whose platform side records what the core asks of it: menus are
// answered from a queue of item indices (none: dismissed), file prompts from
// a queue of paths (none: cancelled) and addresses from a queue of answers
// (none: not opened); text entries, addresses and screen updates are
// recorded, images come from a table of sizes.
class TestGraphics : public IGraphics {
 public:
  struct TextEntry {
    IControl* control;
    IRECT rect;
    std::string text;
    IParam* param;
  };

  TestGraphics(IPlugBase* plug, int w, int h, int fps = 0) : IGraphics(plug, w, h, fps) {}

  bool DrawScreen(IRECT* r) override {
    mScreenRects.push_back(*r);
    return mScreenAnswer;
  }
  void ForceEndUserEdit() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT*) override {
    ReleaseMouseCapture();
    std::vector<std::string> shown;
    for (int i = 0; i < menu->GetNItems(); ++i) {
      shown.push_back(std::string(menu->GetItemText(i)) + (menu->IsItemChecked(i) ? " [x]" : ""));
    }
    mMenus.push_back(shown);
    if (mMenuAnswers.empty()) return nullptr;
    menu->mChosenItemIdx = mMenuAnswers.front();
    mMenuAnswers.pop_front();
    return menu;
  }
  void CreateTextEntry(IControl* control, IText*, IRECT* r, const char* str, IParam* param) override {
    mTextEntries.push_back({control, *r, str, param});
  }
  void HostPath(WDL_String*) override {}
  void PluginPath(WDL_String*) override {}
  void DesktopPath(WDL_String*) override {}
  void PromptForFile(WDL_String* file, EFileAction action, WDL_String* dir, const char* extensions) override {
    mFilePrompts.push_back({action, dir->Get(), extensions});
    if (mWhilePrompting) mWhilePrompting();
    file->Set("");
    if (mFileAnswers.empty()) return;
    file->Set(mFileAnswers.front().c_str());
    mFileAnswers.pop_front();
  }
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenURL(const char* url, const char* windowTitle, const char*, const char*) override {
    mOpenedURLs.push_back({url, windowTitle ? windowTitle : ""});
    if (mURLAnswers.empty()) return false;
    const bool opened = mURLAnswers.front();
    mURLAnswers.pop_front();
    return opened;
  }
  using IGraphics::OpenWindow;
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  LICE_IBitmap* OSLoadBitmap(int, const char* name) override {
    ++mLoads[name];
    auto it = mImages.find(name);
    if (it == mImages.end()) return nullptr;
    auto* bitmap = new LICE_MemBitmap(it->second.first, it->second.second, 4);
    for (int i = 0; i < bitmap->getRowSpan() * bitmap->getHeight(); ++i) bitmap->getBits()[i] = mImageColor;
    return bitmap;
  }

  struct FilePrompt {
    EFileAction action;
    std::string dir;
    std::string extensions;
  };
  struct URLRequest {
    std::string url;
    std::string windowTitle;
  };

  // Platform answers and records.
  bool mScreenAnswer = true;
  std::deque<std::string> mFileAnswers;
  std::vector<FilePrompt> mFilePrompts;
  // Runs while a file prompt is open.
  std::function<void()> mWhilePrompting;
  std::deque<bool> mURLAnswers;
  std::vector<URLRequest> mOpenedURLs;
  std::vector<IRECT> mScreenRects;
  std::deque<int> mMenuAnswers;
  std::vector<std::vector<std::string>> mMenus;
  std::vector<TextEntry> mTextEntries;
  std::map<std::string, std::pair<int, int>> mImages;
  std::map<std::string, int> mLoads;
  LICE_pixel mImageColor = 0xFF0000FF;
};

// A control that writes what happens to it into a log, as "<name> <event>".
class ProbeControl : public IControl {
 public:
  ProbeControl(IPlugBase* plug, IRECT rect, int paramIdx, const char* name, Log* log)
      : IControl(plug, rect, paramIdx), mName(name), mLog(log) {}

  void OnMouseDown(int x, int y, IMouseMod* mod) override {
    Note("down " + Point(x, y));
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(int x, int y, IMouseMod*) override { Note("up " + Point(x, y)); }
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod*) override {
    Note("drag " + Point(x, y) + " by " + Point(dX, dY));
  }
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override {
    Note("dblclick " + Point(x, y));
    IControl::OnMouseDblClick(x, y, mod);
  }
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d) override {
    Note("wheel " + std::to_string(d));
    IControl::OnMouseWheel(x, y, mod, d);
  }
  bool OnKeyDown(int, int, int key) override {
    Note("key " + std::to_string(key));
    return mTakesKeys;
  }
  void OnMouseOver(int x, int y, IMouseMod*) override { Note("over " + Point(x, y)); }
  void OnMouseOut() override { Note("out"); }
  void OnGUIIdle() override { ++mIdleCalls; }
  bool Draw(IGraphics*) override {
    Note("draw");
    return true;
  }

  bool IsDirtyFlag() const { return mDirty; }
  bool mTakesKeys = true;
  int mIdleCalls = 0;

 private:
  static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void Note(const std::string& what) {
    if (mLog) mLog->push_back(mName + " " + what);
  }
  std::string mName;
  Log* mLog;
};

}  // namespace gfxtest
