#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "framework/IPlugGUI.h"
#include "framework/WDL_Mutex.h"
#include "framework/WDL_PtrList.h"
#include "framework/WDL_String.h"
#include "graphics/IGraphicsStructs.h"
#include "graphics/ParamControlIndex.h"

class IControl;
class IParam;
class IPlugBase;
class IPopupMenu;
class LICE_MemBitmap;
class LICE_SysBitmap;

// The platform-neutral editor: it owns the controls, a back buffer they draw
// into and a scratch bitmap; it collects dirty areas for the platform view,
// redraws them, routes mouse, wheel and key events, carries parameter values
// to the controls and brackets the user's gestures for the host. What needs a
// window is left to the platform subclass.
//
// Threads: the thread that builds the editor runs its events and frame loop.
// Values that other threads push through SetParameterFromPlug are handed
// over and reach the controls at the next IsDirty, so controls are only ever
// touched by that thread.
class IGraphics : public IPlugGUI {
 public:
  // fps below 1 becomes 25.
  IGraphics(IPlugBase* plug, int w, int h, int fps = 0);
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Operations the platform supplies or may replace, in slot order.
  // Shows the back buffer; Draw returns its answer.
  virtual bool DrawScreen(IRECT* r) = 0;
  virtual bool MeasureIText(IText* text, const char* str, IRECT* r);
  virtual void ForceEndUserEdit() = 0;
  // Deletes every control, rebuilds the bitmaps and lets the plug-in rebuild the editor.
  virtual void Resize(int w, int h);
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  virtual const char* GetGUIAPI() { return ""; }
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // Releases the mouse capture, shows the menu and returns the (sub)menu in
  // which an item was chosen, with its mChosenItemIdx set; null for none.
  virtual IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT* areaRect) = 0;
  // The typed text later goes to SetFromStringAfterPrompt, or without a
  // parameter to the control's TextFromTextEntry.
  virtual void CreateTextEntry(IControl* control, IText* text, IRECT* textRect, const char* str,
                               IParam* param) = 0;
  virtual void HostPath(WDL_String* path) = 0;
  virtual void PluginPath(WDL_String* path) = 0;
  virtual void DesktopPath(WDL_String* path) = 0;
  virtual bool PromptForColor(IColor* color, const char* prompt = "") = 0;
  virtual bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmMsg = nullptr,
                       const char* errMsg = nullptr) = 0;
  void* OpenWindow(void* parentView) override = 0;
  void* OpenWindow(void* window, void* control, short leftOffset = 0, short topOffset = 0) override;
  virtual void AttachSubWindow(void*) {}
  virtual void RemoveSubWindow() {}
  void CloseWindow() override = 0;
  virtual void* GetWindow() = 0;
  virtual void HideMouseCursor() {}
  virtual void ShowMouseCursor() {}
  // A new bitmap for the image resource, or null.
  virtual LICE_IBitmap* OSLoadBitmap(int id, const char* name) = 0;

  // ---- The framework's side.
  // Reaches the controls bound to the parameter; parameters the plug-in
  // does not have reach none.
  void SetParameterFromPlug(int paramIdx, double value, bool normalized) override;
  void PrepDraw() override;

  // ---- Controls.
  // The editor owns the control from now on; returns its index.
  int AttachControl(IControl* control);
  void AttachBackground(int id, const char* name);
  void AttachPanelBackground(const IColor* color);
  // The key catcher is owned too, but not listed.
  void AttachKeyCatcher(IControl* control);
  IControl* GetControl(int idx) { return mControls.Get(idx); }
  int NControls() const { return mControls.GetSize(); }
  void HideControl(int paramIdx, bool hide);
  void GrayOutControl(int paramIdx, bool gray);
  void ClampControl(int paramIdx, double lo, double hi, bool normalized);
  void SetStrictDrawing(bool strict);
  void SetAllControlsDirty();
  void SetControlFromPlug(int controlIdx, double normalizedValue);
  // An attached control gained a parameter binding.
  void ControlBindingsChanged() { mParamControls.Invalidate(); }
  void HandleMouseOver(bool canHandle) { mHandleMouseOver = canHandle; }

  // ---- Prompts.
  void PromptUserInput(IControl* control, IParam* param, IRECT* textRect);
  void SetFromStringAfterPrompt(IControl* control, IParam* param, const char* text);

  // ---- Events from the platform view, in editor pixels.
  void OnMouseDown(int x, int y, IMouseMod* mod);
  void OnMouseUp(int x, int y, IMouseMod* mod);
  void OnMouseDrag(int x, int y, IMouseMod* mod);
  // True when the control took the double click as a press.
  bool OnMouseDblClick(int x, int y, IMouseMod* mod);
  bool OnMouseOver(int x, int y, IMouseMod* mod);
  void OnMouseOut();
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d);
  bool OnKeyDown(int x, int y, int key);
  void ReleaseMouseCapture();
  int GetMouseControlIdx(int x, int y, bool mouseOver = false);
  int GetParamIdxForPTAutomation(int x, int y);
  int GetLastClickedParamForPTAutomation();

  // ---- The frame loop, driven by the platform timer.
  // Runs the plug-in's OnIdle, then unites the dirty controls' rectangles
  // into r; with nothing dirty, every fourth call in a row runs OnGUIIdle.
  bool IsDirty(IRECT* r);
  bool Draw(IRECT* r);
  // Every control's OnGUIIdle.
  void OnGUIIdle();

  // ---- Bitmaps and text.
  // A bitmap the platform cannot load comes back without data and 0 x 0.
  IBitmap LoadIBitmap(int id, const char* name, int nStates = 1, bool framesAreHorizontal = false);
  // The name of the first image this editor could not load; empty when all loaded.
  const char* FirstMissingBitmap() const { return mFirstMissingBitmap.Get(); }
  void RetainBitmap(IBitmap* bitmap);
  void ReleaseBitmap(IBitmap* bitmap);
  LICE_IFont* CacheFont(IText* text);
  // Drawing keeps the text inside r; measuring rewrites r to the text's box,
  // aligned as the style says.
  bool DrawIText(IText* text, const char* str, IRECT* r, bool measure = false);

  // ---- Drawing operations for the controls. Only the bitmap operations
  // clip to the area being redrawn; texts to their rectangle, the rest to
  // the back buffer.
  bool DrawBitmap(IBitmap* bitmap, IRECT* dest, int srcX, int srcY, const IChannelBlend* blend = nullptr);
  // Frames count from 1.
  bool DrawBitmap(IBitmap* bitmap, IRECT* dest, int frame = 1, const IChannelBlend* blend = nullptr);
  // Angle in radians.
  bool DrawRotatedBitmap(IBitmap* bitmap, int destCtrX, int destCtrY, double angle, int yOffsetZeroDeg = 0,
                         const IChannelBlend* blend = nullptr);
  // Angle in degrees.
  bool DrawRotatedMask(IBitmap* base, IBitmap* mask, IBitmap* top, int x, int y, double angle,
                       const IChannelBlend* blend = nullptr);
  // New cached bitmaps, released with ReleaseBitmap.
  IBitmap ScaleBitmap(IBitmap* bitmap, int destW, int destH);
  IBitmap CropBitmap(IBitmap* bitmap, IRECT* r);
  bool DrawPoint(const IColor* color, float x, float y, const IChannelBlend* blend = nullptr, bool aa = false);
  // Writes the pixel without blending; points outside the back buffer are ignored.
  bool ForcePixel(const IColor* color, int x, int y);
  bool DrawLine(const IColor* color, float x1, float y1, float x2, float y2, const IChannelBlend* blend = nullptr,
                bool aa = false);
  bool DrawArc(const IColor* color, float cx, float cy, float r, float minAngle, float maxAngle,
               const IChannelBlend* blend = nullptr, bool aa = false);
  bool DrawCircle(const IColor* color, float cx, float cy, float r, const IChannelBlend* blend = nullptr,
                  bool aa = false);
  bool RoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int cornerRadius, bool aa);
  bool FillRoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int cornerRadius, bool aa);
  bool FillIRect(const IColor* color, IRECT* r, const IChannelBlend* blend = nullptr);
  bool FillCircle(const IColor* color, int cx, int cy, float r, const IChannelBlend* blend = nullptr,
                  bool aa = false);
  bool FillTriangle(const IColor* color, int x1, int y1, int x2, int y2, int x3, int y3,
                    const IChannelBlend* blend = nullptr);
  bool FillIConvexPolygon(const IColor* color, int* x, int* y, int npoints, const IChannelBlend* blend = nullptr);
  IColor GetPoint(int x, int y);
  bool DrawVerticalLine(const IColor* color, int xi, int yLo, int yHi);
  bool DrawHorizontalLine(const IColor* color, int yi, int xLo, int xHi);
  // x from 0 (left edge) to 1 across the rectangle.
  bool DrawVerticalLine(const IColor* color, IRECT* r, float x);
  // y from 0 (bottom edge) to 1 (top edge).
  bool DrawHorizontalLine(const IColor* color, IRECT* r, float y);
  // The lines lie on R and B, one pixel outside the exclusive edges.
  bool DrawRect(const IColor* color, IRECT* r);
  // Angle 0 points up, positive angles turn clockwise.
  bool DrawRadialLine(const IColor* color, float cx, float cy, float angle, float rMin, float rMax,
                      const IChannelBlend* blend = nullptr, bool aa = false);
  void* GetBits();

  // ---- What the platform and the controls read.
  IPlugBase* GetPlug() { return mPlug; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FPS() const { return mFPS; }
  LICE_SysBitmap* GetDrawBitmap() { return mDrawBitmap; }
  const IRECT* GetDrawRect() const { return &mDrawRect; }
  bool GetStrictDrawing() const { return mStrict; }
  int GetMouseCapture() const { return mMouseCapture; }
  int GetMouseOver() const { return mMouseOver; }
  int GetMouseX() const { return mMouseX; }
  int GetMouseY() const { return mMouseY; }
  int GetIdleTicks() const { return mIdleTicks; }
  bool OnEditorThread() const { return std::this_thread::get_id() == mEditorThread; }

 protected:
  WDL_Mutex mMutex;
  WDL_PtrList<IControl> mControls;
  IPlugBase* mPlug;
  IRECT mDrawRect;
  bool mCursorHidden = false;
  int mHiddenMousePointX = -1;
  int mHiddenMousePointY = -1;
  LICE_SysBitmap* mDrawBitmap = nullptr;
  LICE_MemBitmap* mTmpBitmap = nullptr;
  int mWidth;
  int mHeight;
  int mFPS;
  int mIdleTicks = 0;
  int mMouseCapture = -1;
  int mMouseOver = -1;
  int mMouseX = 0;
  int mMouseY = 0;
  int mLastClickedParam = -1;
  bool mHandleMouseOver = false;
  bool mStrict = true;
  IControl* mKeyCatcher = nullptr;

 private:
  WDL_String mFirstMissingBitmap;
  // Made from mControls, which changes only through Adopt and
  // DeleteControls; they tell it.
  ParamControlIndex mParamControls;
  // The latest normalised value of a parameter set from another thread.
  struct PendingValue {
    std::atomic<double> value{0.0};
    std::atomic<bool> pending{false};
  };

  // The editor takes the control, which is in the list now.
  void Adopt(IControl* control);
  // f(binding) for every control bound to the parameter, in list order, also
  // when one of them changes the list meanwhile.
  template <class F>
  void ForEachBinding(int paramIdx, F f);
  void ApplyParameter(int paramIdx, double normalizedValue);
  void ApplyPendingParameters();
  void DeleteControls();
  void DeleteBitmaps();
  // The raster calls of both DrawBitmap forms, clipped to mDrawRect.
  void BlitClipped(LICE_IBitmap* src, const IRECT* dest, int srcX, int srcY, const IChannelBlend* blend);

  const std::thread::id mEditorThread;
  // Made once, when the editor is first prepared, for every parameter the
  // plug-in has then; never moved, so other threads may index it.
  std::unique_ptr<PendingValue[]> mPendingValues;
  std::atomic<int> mNPendingValues{0};
  std::atomic<bool> mAnyPending{false};
};
