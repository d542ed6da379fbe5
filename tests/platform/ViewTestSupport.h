#pragma once

#include <string>
#include <vector>

#include "graphics/BitmapControls.h"
#include "graphics/IControl.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/CarbonEvents.h"
#include "platform/standin/HIView.h"
#include "platform/standin/NSView.h"

// What the view tests share: a control that records what the editor hands
// it, a small editor with a knob, Carbon events made as the window system
// makes them, and the comparison of a screen with the back buffer.
namespace viewtest {

struct Call {
  std::string kind;  // down, up, drag, dblclick, wheel, over, key, text
  int x, y;
  IMouseMod mod;
  int value;  // wheel steps, key code
  std::string text;
};

// Records mouse, wheel, key and text-entry calls; takes keys when told to.
class RecordingControl : public IControl {
 public:
  RecordingControl(IPlugBase* plug, IRECT rect, int paramIdx = -1) : IControl(plug, rect, paramIdx) {}
  bool Draw(IGraphics*) override { return true; }
  bool IsHit(int x, int y) override { return mHitEverywhere || IControl::IsHit(x, y); }
  void OnMouseDown(int x, int y, IMouseMod* mod) override { Record("down", x, y, mod); }
  void OnMouseUp(int x, int y, IMouseMod* mod) override { Record("up", x, y, mod); }
  void OnMouseDrag(int x, int y, int, int, IMouseMod* mod) override { Record("drag", x, y, mod); }
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override { Record("dblclick", x, y, mod); }
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d) override { Record("wheel", x, y, mod, d); }
  void OnMouseOver(int x, int y, IMouseMod* mod) override { Record("over", x, y, mod); }
  bool OnKeyDown(int x, int y, int key) override {
    Record("key", x, y, nullptr, key);
    return mTakeKeys;
  }
  void TextFromTextEntry(const char* text) override { calls.push_back({"text", 0, 0, IMouseMod(), 0, text}); }

  bool mTakeKeys = true;
  // Takes the mouse outside its rectangle too.
  bool mHitEverywhere = false;
  std::vector<Call> calls;

 private:
  void Record(const char* kind, int x, int y, IMouseMod* mod, int value = 0) {
    calls.push_back({kind, x, y, mod ? *mod : IMouseMod(), value, ""});
  }
};

// A knob bound to a parameter: dragging up turns it up, a hundredth a pixel.
class DragKnob : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;
  void OnMouseDrag(int, int, int, int dY, IMouseMod*) override {
    mValue -= dY / 100.0;
    SetDirty(true);
  }
};

constexpr int kEditorWidth = 400;
constexpr int kEditorHeight = 300;
constexpr int kKnobX = 60;
constexpr int kKnobY = 100;
constexpr int kKnobSize = 50;

// A small editor for plug, its images taken from the generated editor images
// through the bundle: the background, a knob for knobParam and a title.
IGraphicsMac* MakeTestEditor(IPlugBase* plug, const char* bundleID, int knobParam);

// Pixels of the screen (from its corner at x0, y0) that differ from the
// editor's back buffer.
int ScreenDifferences(NSWindow* window, IGraphicsMac* gui, int x0 = 0, int y0 = 0);

// Carbon events, sent to a window's target (mouse, deactivation) or to the
// user focus target (keys); each returns the handlers' answer.
OSStatus SendCarbonMouse(WindowRef window, UInt32 kind, double x, double y, UInt32 modifiers = 0,
                         EventMouseButton button = kEventMouseButtonPrimary, UInt32 clicks = 1);
OSStatus SendCarbonWheel(WindowRef window, double x, double y, EventMouseWheelAxis axis, SInt32 delta);
// Keys go to the user focus target unless another is given.
OSStatus SendCarbonKey(UInt32 keyCode, char c, UInt32 kind = kEventRawKeyDown, EventTargetRef target = nullptr);
OSStatus SendCarbonDeactivate(WindowRef window);

}  // namespace viewtest
