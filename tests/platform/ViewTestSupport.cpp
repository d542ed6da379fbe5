#include "tests/platform/ViewTestSupport.h"

#include "graphics/TextControls.h"
#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "platform/standin/CFBundle.h"

namespace viewtest {

IGraphicsMac* MakeTestEditor(IPlugBase* plug, const char* bundleID, int knobParam) {
  standin::SetBundleResourceFolder(bundleID, LICE_ResourceRoot().c_str());
  auto* gui = new IGraphicsMac(plug, kEditorWidth, kEditorHeight);
  gui->SetBundleID(bundleID);
  gui->AttachBackground(9101, "resources/img/quillvane/Thudrokka_GUI_background_Free.png");
  IBitmap knob = gui->LoadIBitmap(9102, "resources/img/quillvane/knobs/QV_Volume_Knob_50px.png", 128);
  gui->AttachControl(new DragKnob(plug, kKnobX, kKnobY, knobParam, &knob));
  const IColor orange = COLOR_ORANGE;
  IText title(16, &orange, "DejaVu Sans", IText::kStyleBold, IText::kAlignNear);
  gui->AttachControl(new ITextControl(plug, IRECT(130, 110, 390, 140), &title, "THUDROKKA VIEW"));
  return gui;
}

int ScreenDifferences(NSWindow* window, IGraphicsMac* gui, int x0, int y0) {
  LICE_SysBitmap* back = gui->GetDrawBitmap();
  if (!back) return -1;
  int differing = 0;
  for (int y = 0; y < gui->Height(); ++y) {
    for (int x = 0; x < gui->Width(); ++x) {
      const LICE_pixel p = back->getBits()[y * back->getRowSpan() + x];
      const int rgb = (LICE_PixelRed(p) << 16) | (LICE_PixelGreen(p) << 8) | LICE_PixelBlue(p);
      differing += window->screenPixel(x0 + x, y0 + y) != rgb;
    }
  }
  return differing;
}

namespace {

OSStatus Send(EventRef event, EventTargetRef target) {
  const OSStatus status = SendEventToEventTarget(event, target);
  ReleaseEvent(event);
  return status;
}

}  // namespace

OSStatus SendCarbonMouse(WindowRef window, UInt32 kind, double x, double y, UInt32 modifiers,
                         EventMouseButton button, UInt32 clicks) {
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassMouse, kind, 0, 0, &event);
  const HIPoint where{x, y};
  SetEventParameter(event, kEventParamWindowMouseLocation, typeHIPoint, sizeof(where), &where);
  SetEventParameter(event, kEventParamKeyModifiers, typeUInt32, sizeof(modifiers), &modifiers);
  SetEventParameter(event, kEventParamMouseButton, typeMouseButton, sizeof(button), &button);
  SetEventParameter(event, kEventParamClickCount, typeUInt32, sizeof(clicks), &clicks);
  return Send(event, GetWindowEventTarget(window));
}

OSStatus SendCarbonWheel(WindowRef window, double x, double y, EventMouseWheelAxis axis, SInt32 delta) {
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassMouse, kEventMouseWheelMoved, 0, 0, &event);
  const HIPoint where{x, y};
  const UInt32 modifiers = 0;
  SetEventParameter(event, kEventParamWindowMouseLocation, typeHIPoint, sizeof(where), &where);
  SetEventParameter(event, kEventParamKeyModifiers, typeUInt32, sizeof(modifiers), &modifiers);
  SetEventParameter(event, kEventParamMouseWheelAxis, typeMouseWheelAxis, sizeof(axis), &axis);
  SetEventParameter(event, kEventParamMouseWheelDelta, typeSInt32, sizeof(delta), &delta);
  return Send(event, GetWindowEventTarget(window));
}

OSStatus SendCarbonKey(UInt32 keyCode, char c, UInt32 kind, EventTargetRef target) {
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassKeyboard, kind, 0, 0, &event);
  SetEventParameter(event, kEventParamKeyCode, typeUInt32, sizeof(keyCode), &keyCode);
  SetEventParameter(event, kEventParamKeyMacCharCodes, typeChar, 1, &c);
  return Send(event, target ? target : GetUserFocusEventTarget());
}

OSStatus SendCarbonDeactivate(WindowRef window) {
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassWindow, kEventWindowDeactivated, 0, 0, &event);
  SetEventParameter(event, kEventParamDirectObject, typeWindowRef, sizeof(window), &window);
  return Send(event, GetWindowEventTarget(window));
}

}  // namespace viewtest
