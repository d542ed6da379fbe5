#pragma once

#include <string>

#include "graphics/IGraphicsStructs.h"
#include "platform/standin/NSMenu.h"
#include "platform/standin/NSTextField.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"

class IControl;
class IGraphicsMac;
class IParam;
class IPopupMenu;

// The Cocoa view that shows the editor: it runs the redraw timer, redraws
// the editor into the screen, hands mouse, wheel and key events to the
// editor, shows popup menus natively and runs text entry in a text field.
// Once detached (mGraphics null) it draws nothing and ignores events.
class IGraphicsCocoa_vThudrokka_au : public NSView, public NSTextFieldDelegate {
 public:
  // init: no editor and no timer.
  IGraphicsCocoa_vThudrokka_au();
  // initWithIGraphics: the editor's size, and the timer at its frame rate.
  explicit IGraphicsCocoa_vThudrokka_au(IGraphicsMac* graphics);
  ~IGraphicsCocoa_vThudrokka_au() override;

  bool isOpaque() override { return mGraphics != nullptr; }
  bool acceptsFirstResponder() override { return true; }
  bool acceptsFirstMouse(NSEvent*) override { return true; }
  void viewDidMoveToWindow() override;
  void drawRect(NSRect rect) override;
  // A view removed by its host detaches itself and closes the editor's
  // window; it stays in its superview, inert.
  void removeFromSuperview() override;

  void onTimer(standin::RunLoopTimer* sender);
  void killTimer();
  // Editor coordinates of the event, kept as the last mouse position; false,
  // with nothing kept, for a position that is not finite.
  bool getMouseXY(NSEvent* event, int* x, int* y);

  // Command with the left button makes a right click; a left click counted
  // twice or more is a double click.
  void mouseDown(NSEvent* event) override;
  void mouseUp(NSEvent* event) override;
  void mouseDragged(NSEvent* event) override;
  void rightMouseDown(NSEvent* event) override;
  void rightMouseUp(NSEvent* event) override;
  void rightMouseDragged(NSEvent* event) override;
  void mouseMoved(NSEvent* event) override;
  // Fractions of a step add up until they make whole steps; an event that
  // makes none reaches no one. One that does closes an open text field
  // without its text, then scrolls.
  void scrollWheel(NSEvent* event) override;
  // Space, arrows, digits and letters reach the editor at the last mouse
  // position; keys of another length are dropped, other keys and those the
  // editor leaves go to the next responder.
  void keyDown(NSEvent* event) override;

  // area in view coordinates; the (sub)menu model in which an item was chosen, or null.
  IPopupMenu* createIPopupMenu(IPopupMenu* menu, NSRect area);
  // Opens a text field over area (view coordinates); nothing without a
  // control or while a field is open.
  void createTextEntry(IControl* control, IParam* param, IText* text, const char* str, NSRect area);
  // The field's text goes to the parameter, or to the control without one.
  void controlTextDidEndEditing(NSTextField* field) override;
  // Closes the field without taking its text.
  void endUserInput();

  standin::RunLoopTimer* mTimer = nullptr;
  NSTextField* mTextFieldView = nullptr;
  IControl* mEdControl = nullptr;
  IParam* mEdParam = nullptr;
  int mPrevX = 0;
  int mPrevY = 0;
  IGraphicsMac* mGraphics = nullptr;

 private:
  static void TimerProc(void* view);

  // What the wheel turned short of a whole step, between -1 and 1.
  double mWheelRemainder = 0.0;
};

// A native menu built from a menu model, item for item.
class IGraphicsNSMenu_vThudrokka_au : public NSMenu {
 public:
  IGraphicsNSMenu_vThudrokka_au(IPopupMenu* model, NSView* receiver);
  IPopupMenu* AssociatedIPopupMenu() const { return mIPopupMenu; }

 private:
  IPopupMenu* mIPopupMenu;
};

// Keeps the item chosen in the last menu.
class IGraphicsMenuRcvr_vThudrokka_au : public NSView {
 public:
  explicit IGraphicsMenuRcvr_vThudrokka_au(NSRect frame) : NSView(frame) {}
  NSMenuItem* MenuItem() const { return nsMenuItem; }
  void OnMenuSelection(NSMenuItem* sender) { nsMenuItem = sender; }

 private:
  NSMenuItem* nsMenuItem = nullptr;
};

// Limits a text field to a set of characters, a length and a value; a zero
// length or value means no limit, no set no filter.
class CocoaFormatter_vThudrokka_au : public NSFormatter {
 public:
  ~CocoaFormatter_vThudrokka_au() override;

  void setAcceptableCharacterSet(NSCharacterSet* set);
  void setMaximumLength(int length) { maxLength = length; }
  void setMaximumValue(int value) { maxValue = value; }
  bool isPartialStringValid(const std::string& partial, std::string* newEditingString, std::string* error) override;
  const std::string* stringForObjectValue(const std::string* object) override { return object; }
  bool getObjectValue(std::string* object, const std::string* string, std::string* error) override;

  NSCharacterSet* filterCharacterSet = nullptr;
  int maxLength = 0;
  int maxValue = 0;
};
