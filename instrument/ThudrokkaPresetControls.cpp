#include "instrument/ThudrokkaPresetControls.h"

#include <string>
#include <vector>

#include "framework/IPreset.h"
#include "framework/PrintableText.h"
#include "framework/TextCopy.h"
#include "graphics/IGraphics.h"
#include "graphics/IPopupMenu.h"
#include "instrument/Thudrokka.h"
#include "program/ProgramLineProblem.h"
#include "program/RirARorurProgram.h"

namespace {

// Bytes of the preset caption shown on the display.
constexpr int kDisplayLen = 32;
// A message box with the system's one button.
constexpr int kMessageBoxOk = 0;

}  // namespace

// ---- Preset display and menu.

IQvPresetMenu::IQvPresetMenu(IPlugAU* plug, IRECT rect, IText* text, IColor bgColor)
    : IControl(plug, rect), mBgColor(bgColor), mInstrument(dynamic_cast<Thudrokka*>(plug)) {
  mTextEntryLength = kMaxNameLen;
  mText = text ? *text : IText(14, &COLOR_BLACK, "Arial");
}

bool IQvPresetMenu::Draw(IGraphics* g) {
  if (mInstrument) {
    char shown[kDisplayLen + 1];
    CopyText(shown, mInstrument->GetCurrentPresetString().c_str(), sizeof(shown));
    mDisp.Set(shown);
  }
  g->FillIRect(&mBgColor, &mRect);
  if (mDisp.GetLength()) g->DrawIText(&mText, mDisp.Get(), &mRect);
  return true;
}

void IQvPresetMenu::OnMouseDown(int, int, IMouseMod* mod) {
  IGraphics* gui = GetGUI();
  if (gui && mPlug) {
    if (mod && mod->R) {
      char name[MAX_PRESET_NAME_LEN];
      {
        WDL_MutexLock lock(mPlug->GetMutex());
        CopyText(name, mPlug->GetPresetName(mPlug->GetCurrentPresetIdx()), sizeof(name));
      }
      gui->CreateTextEntry(this, &mText, &mRect, name, nullptr);
    } else {
      ShowPresetMenu(gui);
    }
  }
  mRedraw = true;
  SetDirty(true);
}

void IQvPresetMenu::ShowPresetMenu(IGraphics* gui) {
  IPopupMenu menu;
  {
    WDL_MutexLock lock(mPlug->GetMutex());
    const int current = mPlug->GetCurrentPresetIdx();
    for (int i = 0; i < mPlug->NPresets(); ++i) {
      menu.AddItem(mPlug->GetPresetName(i), -1, i == current ? IPopupMenuItem::kChecked : IPopupMenuItem::kNoFlags);
    }
  }
  menu.SetPrefix(2);
  // The menu runs modally, so the lock is not held meanwhile.
  IPopupMenu* chosen = gui->CreateIPopupMenu(&menu, &mRect);
  if (!chosen || chosen->GetChosenItemIdx() < 0) return;
  WDL_MutexLock lock(mPlug->GetMutex());
  mPlug->RestorePreset(chosen->GetChosenItemIdx());
  mPlug->InformHostOfProgramChange();
  mPlug->DirtyParameters();
}

void IQvPresetMenu::TextFromTextEntry(const char* text) {
  std::string nameNote;
  if (mPlug) {
    char name[MAX_PRESET_NAME_LEN];
    CopyText(name, text, sizeof(name));
    WDL_MutexLock lock(mPlug->GetMutex());
    mPlug->ModifyCurrentPreset(name);
    if (name[0]) {
      nameNote = Quillvane::RirARorurProgram::nameInFileNote(mPlug->GetPresetName(mPlug->GetCurrentPresetIdx()));
    }
    mPlug->InformHostOfProgramChange();
    mPlug->DirtyParameters();
  }
  SetDirty(false);
  // The person hears of it when naming, not first when saving; the box waits
  // for them, so not under the plug-in mutex.
  IGraphics* gui = GetGUI();
  if (gui && !nameNote.empty()) gui->ShowMessageBox(nameNote.c_str(), "Preset renamed with a warning", kMessageBoxOk);
}

// ---- File selectors.

IQvFileSelector::IQvFileSelector(Thudrokka* plug, IRECT rect, int paramIdx, IBitmap* bitmap, EFileAction action,
                                 const char* dir, const char* extensions)
    : IFileSelectorControl(plug, rect, paramIdx, bitmap, action, dir, extensions), mInstrument(plug) {}

void IQvFileSelector::OnMouseDown(int x, int y, IMouseMod* mod) {
  IFileSelectorControl::OnMouseDown(x, y, mod);
  // Without an editor no dialog ran, and the last path must not be used again.
  if (!mInstrument || mState != kFileSelectDone) return;
  if (mFileAction == kFileOpen) {
    LoadChosenProgram();
  } else {
    SaveChosenProgram();
  }
}

void IQvFileSelector::LoadChosenProgram() {
  std::string error;
  std::vector<Quillvane::ProgramLineProblem> problems;
  const bool loaded = mInstrument->LoadProgramAsQV(mFile.Get(), &error, &problems);
  std::vector<std::string> lines;
  if (!loaded) lines.push_back(error);
  for (const Quillvane::ProgramLineProblem& problem : problems) lines.push_back(problem.message(mFile.Get()));
  Tell(lines, loaded ? "Program loaded with warnings" : "Program not loaded");
}

void IQvFileSelector::SaveChosenProgram() {
  std::string error, nameNote;
  if (!mInstrument->SaveProgramAsQV(mFile.Get(), &error, &nameNote)) {
    Tell({error}, "Program not saved");
  } else if (!nameNote.empty()) {
    Tell({std::string(mFile.Get()) + ": " + nameNote}, "Program saved with a warning");
  }
}

void IQvFileSelector::Tell(const std::vector<std::string>& lines, const char* header) {
  // A cancelled panel chose no file, and there is nothing to say.
  IGraphics* gui = GetGUI();
  if (!gui || mFile.GetLength() == 0 || lines.empty()) return;
  std::string message;
  for (const std::string& line : lines) message += (message.empty() ? "" : "\n") + printableText(line);
  gui->ShowMessageBox(message.c_str(), header, kMessageBoxOk);
}

bool IQvFileSelector::Draw(IGraphics* g) {
  return g->DrawBitmap(&mBitmap, &mRect, mState == kFileSelectBusy ? 2 : 1, nullptr);
}

void IQvWaveFileSelector::OnMouseDown(int x, int y, IMouseMod* mod) {
  if ((mod && mod->R) || !mInstrument || mFileAction != kFileOpen || !mInstrument->CanLoadWaveform()) return;
  IFileSelectorControl::OnMouseDown(x, y, mod);
  if (mState == kFileSelectDone) mInstrument->LoadWaveform(mFile.Get());
}
