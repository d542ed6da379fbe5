#pragma once

#include "graphics/BitmapControls.h"
#include "graphics/TextControls.h"
#include "instrument/ThudrokkaControls.h"

class Thudrokka;

// The instrument's push buttons over two-frame pictures: the second frame
// while pressed or active. None but the click switch is bound to a
// parameter; a double click is one more press.

// An arrow that steps an enumerated parameter of nStates choices to the next
// or previous one, by ten with the R modifier. Fewer than two states do not
// step.
class IQvModeSwitch : public IContactControl {
 public:
  // It steps from the parameter's own value, which a host may have changed
  // since, and sets only the parameter: the record follows through the
  // parameter's hand-over to the render thread.
  IQvModeSwitch(IPlugBase* plug, int x, int y, int paramIdx, int targetParamIdx, int nStates, IBitmap* bitmap,
                bool wrap, eQvSwitchDir dir)
      : IContactControl(plug, x, y, paramIdx, bitmap),
        mTargetParamIdx(targetParamIdx),
        mNumStates(nStates),
        mWrap(wrap),
        mSwitchDir(dir) {}
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

  // The stepping law for a current value: by one, staying at the ends or
  // wrapping to the other end; by ten, stopping at the ends.
  double getNextValue(double value) const;
  double getPrevValue(double value) const;
  double getNext10Value(double value) const;
  double getPrev10Value(double value) const;

 protected:
  int mTargetParamIdx;
  int mNumStates;
  bool mWrap;
  eQvSwitchDir mSwitchDir;

 private:
  // The current choice for value, 0 .. mNumStates - 1.
  int Choice(double value) const;
  double ValueOf(int choice) const;
};

// An arrow that restores the next or previous preset, ten on with the R
// modifier; past either end of the bank nothing is restored. The host is
// told of a program change either way.
class IQvPresetSwitch : public IContactControl {
 public:
  // nStates and wrap are taken but play no part.
  IQvPresetSwitch(IPlugBase* plug, int x, int y, int paramIdx, int nStates, IBitmap* bitmap, bool wrap,
                  eQvSwitchDir dir)
      : IContactControl(plug, x, y, paramIdx, bitmap), mSwitchDir(dir) {
    (void)nStates;
    (void)wrap;
  }
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

 protected:
  eQvSwitchDir mSwitchDir;
};

// Opens its tab of the editor and stays active until the instrument opens
// the other one; the synth tab's button starts active.
class IQvTabButton : public ISwitchControl {
 public:
  IQvTabButton(Thudrokka* plug, int x, int y, int paramIdx, eQvTabs tab, IBitmap* bitmap);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void SetActive(bool active);

 protected:
  Thudrokka* mInstrument;
  eQvTabs mTab;
};

// Sets the ring modulator to the last note's frequency times 2, 4, 8, 16,
// 32, then 1 again, one step per press.
class IQvSyncButton : public ISwitchControl {
 public:
  IQvSyncButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseUp(int x, int y, IMouseMod* mod) override;
  void SetActive(bool active);
  double GetMultiplier() const { return mMultiplier; }

 protected:
  Thudrokka* mInstrument;
  double mMultiplier = 1.0;
};

// Clears the peak levels.
class IQvResetButton : public IContactControl {
 public:
  IQvResetButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

 protected:
  Thudrokka* mInstrument;
};

// Asks the instrument to render to a wave file, which it does not do.
class IQvRenderButton : public IContactControl {
 public:
  IQvRenderButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

 protected:
  Thudrokka* mInstrument;
};

// Plays the preview note; releasing the button does not stop it.
class IQvPlayButton : public IContactControl {
 public:
  IQvPlayButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

 protected:
  Thudrokka* mInstrument;
};

// A switch shown on (its last frame) for any value above 0; a click from 0
// sets 1 and from any other value 0.
class IQvClickButton : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;
  bool Draw(IGraphics* g) override;
};

// Opens a web address, or a second one when the first does not open.
class IQvUrlButton : public IContactControl {
 public:
  // Each text keeps at most IURLControl::kMaxURLLen characters.
  IQvUrlButton(Thudrokka* plug, int x, int y, int paramIdx, IBitmap* bitmap, const char* url, const char* backupURL,
               const char* errMsg);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;

  const char* GetURL() const { return mURL; }
  const char* GetBackupURL() const { return mBackupURL; }
  const char* GetErrMsg() const { return mErrMsg; }

 protected:
  char mURL[IURLControl::kMaxURLLen + 1];
  char mBackupURL[IURLControl::kMaxURLLen + 1];
  char mErrMsg[IURLControl::kMaxURLLen + 1];
};
