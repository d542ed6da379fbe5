#include "tools/thudrokka/EditorSession.h"

#include "instrument/Thudrokka.h"
#include "platform/mac/IGraphicsCocoa.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/NSObject.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"
#include "tools/png-writer/PngWriter.h"
#include "tools/thudrokka/InstrumentHost.h"

namespace {

// Where the window sits on the screen; nothing depends on it.
constexpr double kWindowX = 100.0;
constexpr double kWindowY = 100.0;
constexpr unsigned short kReturnKeyCode = 36;
constexpr unsigned short kDeleteKeyCode = 51;

unsigned long modifierFlags(const MouseKeys& keys) {
  unsigned long flags = 0;
  if (keys.shift) flags |= NSShiftKeyMask;
  if (keys.control) flags |= NSControlKeyMask;
  if (keys.option) flags |= NSAlternateKeyMask;
  return flags;
}

// The length of the UTF-8 character that starts with lead.
size_t characterLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

EditorSession::~EditorSession() {
  if (mView) mView->removeFromSuperview();
  mWindow.reset();
  standin::DrainAutoreleasePool();
}

bool EditorSession::open(std::string* error) {
  IGraphicsMac* gui = editor();
  NSView* view = gui ? mHost.session().OpenCocoaView(NSSize{double(gui->Width()), double(gui->Height())}) : nullptr;
  if (!view) {
    *error = "the instrument offers no editor view";
    return false;
  }
  mWindow.reset(new NSWindow(NSMakeRect(kWindowX, kWindowY, gui->Width(), gui->Height())));
  mWindow->contentView()->addSubview(view);
  mWindow->orderFront();
  mView = view;
  standin::RunLoopAdvance(0.0);
  return true;
}

IGraphicsMac* EditorSession::editor() const {
  Thudrokka* instrument = mHost.instrument();
  return instrument ? static_cast<IGraphicsMac*>(instrument->GetGUI()) : nullptr;
}

IGraphicsCocoa_vThudrokka_au* EditorSession::view() const {
  auto* view = dynamic_cast<IGraphicsCocoa_vThudrokka_au*>(mView);
  return view && view->mGraphics ? view : nullptr;
}

void EditorSession::send(void* event) {
  mWindow->sendEvent(static_cast<NSEvent*>(event));
  standin::RunLoopAdvance(0.0);
}

// The view takes the pointer 2 pixels right of and 3 above the editor's
// pixel, counting y up from the bottom of the window.
void EditorSession::mouse(int type, int x, int y, int clicks) {
  const NSPoint at{x + 2.0, mWindow->frame().size.height - 3.0 - y};
  NSEvent e = NSEvent::mouseEventWithType(static_cast<NSEventType>(type), at, modifierFlags(mHeld),
                                          mWindow->windowNumber(), clicks);
  send(&e);
}

void EditorSession::mouseDown(int x, int y, const MouseKeys& keys, int clicks) {
  mHeld = keys;
  mButtonHeld = true;
  mouse(keys.right ? NSRightMouseDown : NSLeftMouseDown, x, y, clicks);
}

void EditorSession::mouseDrag(int x, int y) { mouse(mHeld.right ? NSRightMouseDragged : NSLeftMouseDragged, x, y, 1); }

void EditorSession::mouseUp(int x, int y) {
  mButtonHeld = false;
  mouse(mHeld.right ? NSRightMouseUp : NSLeftMouseUp, x, y, 1);
  mHeld = MouseKeys();
}

void EditorSession::wheel(int x, int y, int steps, const MouseKeys& keys) {
  const NSPoint at{x + 2.0, mWindow->frame().size.height - 3.0 - y};
  NSEvent e = NSEvent::scrollWheelEvent(at, modifierFlags(keys), mWindow->windowNumber(), steps);
  send(&e);
}

void EditorSession::key(unsigned short keyCode, const std::string& characters, bool shift) {
  MouseKeys keys;
  keys.shift = shift;
  NSEvent e = NSEvent::keyEventWithType(NSKeyDown, NSPoint{0.0, 0.0}, modifierFlags(keys),
                                        mWindow->windowNumber(), characters, characters, keyCode);
  send(&e);
}

bool EditorSession::textFieldOpen() const {
  const IGraphicsCocoa_vThudrokka_au* v = view();
  return v && v->mTextFieldView;
}

void EditorSession::enterText(const std::string& text) {
  // The field starts with its whole text selected: Delete empties it.
  key(kDeleteKeyCode, "\x7F");
  for (size_t i = 0; i < text.size() && textFieldOpen();) {
    const size_t n = characterLength(static_cast<unsigned char>(text[i]));
    key(0, text.substr(i, n));
    i += n;
  }
  if (textFieldOpen()) key(kReturnKeyCode, "\r");
}

void EditorSession::tick(int periods) {
  IGraphicsMac* gui = editor();
  const int fps = gui ? gui->FPS() : 25;
  standin::RunLoopAdvance(static_cast<double>(periods) / fps);
}

bool EditorSession::writeShot(const std::string& path, std::string* error) const {
  const SWELL_GfxTarget* screen = mWindow->screen();
  return WritePng(path, screen->pixels, screen->width, screen->height, screen->rowBytes, false, error);
}
