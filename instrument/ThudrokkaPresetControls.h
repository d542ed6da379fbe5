#pragma once

#include <string>
#include <vector>

#include "framework/WDL_String.h"
#include "graphics/IControl.h"
#include "graphics/TextControls.h"

class IPlugAU;
class Thudrokka;

// The current preset's number and name over a background colour. A click
// opens a menu of every preset, numbered, with the current one checked; the
// chosen one is restored. A click with the R modifier opens a field to
// rename the current preset, which also stores the current values in it.
// Either way the host is told of the program change.
class IQvPresetMenu : public IControl {
 public:
  // Longest name the rename field takes.
  static constexpr int kMaxNameLen = 253;

  // Without a text style: "Arial" 14 in black.
  IQvPresetMenu(IPlugAU* plug, IRECT rect, IText* text, IColor bgColor);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;
  // The rename field's text; an empty one keeps the name.
  void TextFromTextEntry(const char* text) override;
  const char* GetDisplayString() const { return mDisp.Get(); }

 protected:
  void ShowPresetMenu(IGraphics* gui);

  WDL_String mDisp;
  IColor mBgColor;
  Thudrokka* mInstrument;
};

// The program load or save button: its picture's second frame while the
// dialog is open; the chosen path goes to the instrument, an empty one after
// a cancel (which the instrument refuses). A load or a save of a chosen file
// that fails, or a load that reads lines not as they stand, says so in a
// message box, naming the file; a load that fails leaves everything as it
// was, and a save that fails leaves the file as it was.
class IQvFileSelector : public IFileSelectorControl {
 public:
  IQvFileSelector(Thudrokka* plug, IRECT rect, int paramIdx, IBitmap* bitmap, EFileAction action, const char* dir,
                  const char* extensions);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;

 protected:
  Thudrokka* mInstrument;

 private:
  void LoadChosenProgram();
  void SaveChosenProgram();
  // One message box of the lines, under header, for a file the panel chose.
  void Tell(const std::vector<std::string>& lines, const char* header);
};

// Loads a waveform file into the user waveform that oscillator 1 has
// selected; only for the open action, only when that waveform takes a
// file, and not with the R modifier.
class IQvWaveFileSelector : public IQvFileSelector {
 public:
  using IQvFileSelector::IQvFileSelector;
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
};
