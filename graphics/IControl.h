#pragma once

#include <atomic>
#include <thread>

#include "framework/WDL_TypedBuf.h"
#include "graphics/IGraphicsStructs.h"

class IGraphics;
class IParam;
class IPlugBase;

// The base of every element of the editor: a rectangle, an optional binding
// to one parameter, a normalised value, a text style and a blend. Values
// arrive from the plug-in through SetValueFromPlug and never go back; a
// gesture changes mValue and SetDirty(true) hands it to the plug-in.
//
// A control lives on the editor's thread. Data that another thread must give
// it (texts, curves) goes through a hand-over: the writer fills it and calls
// SignalHandOver, and the editor calls TakeHandOver at its next tick, which
// runs ApplyHandOver on the editor's thread.
class IControl {
 public:
  struct AuxParam {
    double mValue;
    int mParamIdx;
  };

  IControl(IPlugBase* plug, IRECT rect, int paramIdx = -1,
           IChannelBlend blend = IChannelBlend(IChannelBlend::kBlendNone));
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Virtual operations, in slot order.
  // With mod->R set, PromptUserInput().
  virtual void OnMouseDown(int x, int y, IMouseMod* mod);
  virtual void OnMouseUp(int, int, IMouseMod*) {}
  virtual void OnMouseDrag(int, int, int, int, IMouseMod*) {}
  // Restores the default value once one is set.
  virtual void OnMouseDblClick(int x, int y, IMouseMod* mod);
  // 0.01 per step, 0.001 with shift or control.
  virtual void OnMouseWheel(int x, int y, IMouseMod* mod, int d);
  // True when the key was taken.
  virtual bool OnKeyDown(int, int, int) { return false; }
  virtual void OnMouseOver(int, int, IMouseMod*) {}
  virtual void OnMouseOut() {}
  virtual bool Draw(IGraphics* g) = 0;
  // The first value pushed becomes the double-click default.
  virtual void SetValueFromPlug(double value);
  virtual void TextFromTextEntry(const char*) {}
  virtual void Hide(bool hide);
  // A greyed control draws at a quarter weight and takes no mouse.
  virtual void GrayOut(bool gray);
  virtual bool IsHit(int x, int y) { return mTargetRect.ContainsPoint(x, y); }
  // Clamps the value and marks the control for redraw; with push, a bound
  // parameter gets the value and the linked texts are refreshed.
  virtual void SetDirty(bool push = true);
  virtual void SetClean();
  virtual bool IsDirty() { return mDirty; }
  virtual void OnGUIIdle() {}
  virtual void SetAuxParamValueFromPlug(int auxParamIdx, double value);

  // ---- Gestures and prompts.
  void SetValueFromUserInput(double value);
  void PromptUserInput();
  void PromptUserInput(IRECT* textRect);

  // ---- Extra parameter bindings.
  AuxParam* GetAuxParam(int idx);
  int AuxParamIdx(int paramIdx);
  // Leaves the list unchanged when it cannot grow.
  void AddAuxParam(int paramIdx);
  int NAuxParams() const { return mAuxParams.GetSize(); }
  void SetAllAuxParamsFromGUI();

  // ---- Hand-over from other threads.
  // On the editor's thread: applies what another thread handed over, if anything.
  void TakeHandOver() {
    if (mHandOverPending.load(std::memory_order_acquire) &&
        mHandOverPending.exchange(false, std::memory_order_acq_rel)) {
      ApplyHandOver();
    }
  }
  bool OnEditorThread() const { return std::this_thread::get_id() == mEditorThread; }

  // ---- Fields.
  IPlugBase* GetPlug() { return mPlug; }
  // The editor object of the plug-in, or null.
  IGraphics* GetGUI();
  IRECT* GetRECT() { return &mRect; }
  IRECT* GetTargetRECT() { return &mTargetRect; }
  void SetTargetArea(IRECT r) { mTargetRect = r; }
  int ParamIdx() const { return mParamIdx; }
  double GetValue() const { return mValue; }
  double GetDefaultValue() const { return mDefaultValue; }
  IText* GetText() { return &mText; }
  void SetText(const IText* text) { mText = *text; }
  IChannelBlend* GetBlend() { return &mBlend; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int len) { mTextEntryLength = len; }
  void Clamp(double lo, double hi) {
    mClampLo = lo;
    mClampHi = hi;
  }
  double GetClampLo() const { return mClampLo; }
  double GetClampHi() const { return mClampHi; }
  bool IsHidden() const { return mHide; }
  bool IsGrayed() const { return mGrayed; }
  bool GetRedraw() const { return mRedraw; }
  void SetRedraw(bool redraw) { mRedraw = redraw; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool GetPromptDisabled() const { return mDisablePrompt; }
  void SetDoubleClickAsSingle(bool single) { mDoubleClickAsSingle = single; }
  bool GetDoubleClickAsSingle() const { return mDoubleClickAsSingle; }
  void SetMOWhenGrayed(bool allow) { mMouseOverWhenGrayed = allow; }
  bool GetMOWhenGrayed() const { return mMouseOverWhenGrayed; }
  void SetValDisplayControl(IControl* control) { mValDisplayControl = control; }
  void SetNameDisplayControl(IControl* control) { mNameDisplayControl = control; }

 protected:
  // Any thread, after the hand-over is filled.
  void SignalHandOver() { mHandOverPending.store(true, std::memory_order_release); }
  virtual void ApplyHandOver() {}

  int mTextEntryLength = 7;
  IText mText;
  IPlugBase* mPlug;
  IRECT mRect;
  IRECT mTargetRect;
  int mParamIdx;
  WDL_TypedBuf<AuxParam> mAuxParams;
  double mValue = 0.0;
  // Negative: no default yet.
  double mDefaultValue = -1.0;
  double mClampLo = 0.0;
  double mClampHi = 1.0;
  bool mDirty = true;
  bool mHide = false;
  bool mGrayed = false;
  // A second redraw is pending; SetClean moves it into mDirty.
  bool mRedraw = false;
  bool mDisablePrompt = true;
  bool mDoubleClickAsSingle = false;
  bool mMouseOverWhenGrayed = false;
  IChannelBlend mBlend;
  IControl* mValDisplayControl = nullptr;
  IControl* mNameDisplayControl = nullptr;

 private:
  friend class IGraphics;

  const std::thread::id mEditorThread;
  // The editor whose list holds the control; it is told of bindings added later.
  IGraphics* mOwner = nullptr;
  std::atomic<bool> mHandOverPending{false};
};
