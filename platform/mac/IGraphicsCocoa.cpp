#include "platform/mac/IGraphicsCocoa.h"

#include <cmath>

#include "framework/IParam.h"
#include "framework/TruncateToInt.h"
#include "graphics/IControl.h"
#include "graphics/IPopupMenu.h"
#include "platform/mac/EditorViewMapping.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/mac/ToNSString.h"

namespace {

IMouseMod MouseMod(const NSEvent* event, bool rightButton) {
  const unsigned long flags = event->modifierFlags();
  return IMouseMod(!rightButton, rightButton || (flags & NSCommandKeyMask), (flags & NSShiftKeyMask) != 0,
                   (flags & NSControlKeyMask) != 0, (flags & NSAlternateKeyMask) != 0);
}

NSColor ToNSColor(const IColor& c) {
  return NSColor::colorWithCalibratedRed(c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0);
}

}  // namespace

IGraphicsCocoa_vThudrokka_au::IGraphicsCocoa_vThudrokka_au() = default;

IGraphicsCocoa_vThudrokka_au::IGraphicsCocoa_vThudrokka_au(IGraphicsMac* graphics)
    : NSView(NSMakeRect(0, 0, graphics->Width(), graphics->Height())), mGraphics(graphics) {
  const double interval = 1.0 / graphics->FPS();
  mTimer = standin::AddRunLoopTimer(interval, interval, TimerProc, this);
}

IGraphicsCocoa_vThudrokka_au::~IGraphicsCocoa_vThudrokka_au() {
  killTimer();
  // The field goes with the view's subviews; it must not call back.
  if (mTextFieldView) mTextFieldView->setDelegate(nullptr);
  // A host that frees the view without removing it first still closes the editor's window.
  if (IGraphicsMac* graphics = mGraphics) {
    mGraphics = nullptr;
    graphics->CloseWindow();
  }
}

void IGraphicsCocoa_vThudrokka_au::TimerProc(void* view) {
  auto* self = static_cast<IGraphicsCocoa_vThudrokka_au*>(view);
  self->onTimer(self->mTimer);
}

void IGraphicsCocoa_vThudrokka_au::viewDidMoveToWindow() {
  if (NSWindow* w = window()) {
    w->makeFirstResponder(this);
    w->setAcceptsMouseMovedEvents(true);
  }
}

void IGraphicsCocoa_vThudrokka_au::onTimer(standin::RunLoopTimer* sender) {
  if (sender != mTimer || !mGraphics) return;
  IRECT r;
  if (!mGraphics->IsDirty(&r)) return;
  const int h = mGraphics->Height();
  setNeedsDisplayInRect(NSMakeRect(r.L, h - 1 - r.B, r.R - r.L + 1, r.B - r.T + 1));
}

void IGraphicsCocoa_vThudrokka_au::drawRect(NSRect rect) {
  if (!mGraphics) return;
  const double h = mGraphics->Height();
  const double x = std::trunc(rect.origin.x), y = std::trunc(rect.origin.y);
  const double width = std::trunc(rect.size.width), height = std::trunc(rect.size.height);
  IRECT r(TruncateToInt(x), TruncateToInt(h - (y + height)), TruncateToInt(x + width), TruncateToInt(h - y));
  mGraphics->Draw(&r);
}

void IGraphicsCocoa_vThudrokka_au::removeFromSuperview() {
  if (mTextFieldView) endUserInput();
  if (IGraphicsMac* graphics = mGraphics) {
    mGraphics = nullptr;
    graphics->CloseWindow();
  }
}

void IGraphicsCocoa_vThudrokka_au::killTimer() {
  standin::RemoveRunLoopTimer(mTimer);
  mTimer = nullptr;
}

bool IGraphicsCocoa_vThudrokka_au::getMouseXY(NSEvent* event, int* x, int* y) {
  const NSPoint p = convertPoint(event->locationInWindow(), nullptr);
  if (!EditorMousePosition(p.x, p.y, true, mGraphics->Height(), x, y)) return false;
  mPrevX = *x;
  mPrevY = *y;
  return true;
}

void IGraphicsCocoa_vThudrokka_au::mouseDown(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, false);
  if (event->clickCount() >= 2) {
    mGraphics->OnMouseDblClick(x, y, &mod);
  } else {
    mGraphics->OnMouseDown(x, y, &mod);
  }
}

void IGraphicsCocoa_vThudrokka_au::mouseUp(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, false);
  mGraphics->OnMouseUp(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::mouseDragged(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, false);
  if (!mTextFieldView) mGraphics->OnMouseDrag(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::rightMouseDown(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, true);
  mGraphics->OnMouseDown(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::rightMouseUp(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, true);
  mGraphics->OnMouseUp(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::rightMouseDragged(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, true);
  if (!mTextFieldView) mGraphics->OnMouseDrag(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::mouseMoved(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  IMouseMod mod = MouseMod(event, false);
  mGraphics->OnMouseOver(x, y, &mod);
}

void IGraphicsCocoa_vThudrokka_au::scrollWheel(NSEvent* event) {
  int x, y;
  if (!mGraphics || !getMouseXY(event, &x, &y)) return;
  // The field closes on every wheel event, whole steps or not.
  if (mTextFieldView) endUserInput();
  const double delta = event->deltaY();
  if (!std::isfinite(delta)) return;
  const double total = mWheelRemainder + delta;
  const double whole = std::trunc(total);
  mWheelRemainder = total - whole;
  const int steps = TruncateToInt(whole);
  if (!steps) return;
  IMouseMod mod = MouseMod(event, false);
  mGraphics->OnMouseWheel(x, y, &mod, steps);
}

void IGraphicsCocoa_vThudrokka_au::keyDown(NSEvent* event) {
  if (!mGraphics) return;
  const std::string& chars = event->charactersIgnoringModifiers();
  if (NSStringLength(chars) != 1) return;
  const int code = EditorKeyCode(event->keyCode(), NSStringCharacterAtIndex(chars, 0));
  if (code < 0 || !mGraphics->OnKeyDown(mPrevX, mPrevY, code)) {
    if (NSResponder* next = nextResponder()) next->keyDown(event);
  }
}

IPopupMenu* IGraphicsCocoa_vThudrokka_au::createIPopupMenu(IPopupMenu* menu, NSRect area) {
  IGraphicsMenuRcvr_vThudrokka_au receiver(area);
  IGraphicsNSMenu_vThudrokka_au nativeMenu(menu, &receiver);
  const NSPoint at = convertPointToBase(NSPoint{area.origin.x, area.origin.y - 4.0});
  NSEvent event = NSEvent::otherEventWithType(NSApplicationDefined, at, 15, 0.0, window() ? window()->windowNumber() : 0,
                                              NSGraphicsContextCurrentPort(), 0, 0, 0);
  // The chosen item's action reaches the receiver.
  if (NSMenuItem* item = NSMenu::popUpContextMenu(&nativeMenu, &event, &receiver)) receiver.OnMenuSelection(item);
  NSMenuItem* item = receiver.MenuItem();
  NSMenu* holder = item ? item->menu() : nullptr;
  auto* native = dynamic_cast<IGraphicsNSMenu_vThudrokka_au*>(holder);
  IPopupMenu* model = native ? native->AssociatedIPopupMenu() : nullptr;
  const int index = holder ? holder->indexOfItem(item) : -1;
  if (index < 0 || !model) return nullptr;
  model->mChosenItemIdx = index;
  return model;
}

void IGraphicsCocoa_vThudrokka_au::createTextEntry(IControl* control, IParam* param, IText* text, const char* str,
                                                  NSRect area) {
  if (!control || mTextFieldView) return;
  NSTextField* field = new NSTextField(area);
  mTextFieldView = field;
  if (text) {
    field->setFont(NSFont::fontWithName(ToNSString(text->mFont), static_cast<int>(text->mSize * 0.9)));
    switch (text->mAlign) {
      case IText::kAlignNear: field->setAlignment(NSLeftTextAlignment); break;
      case IText::kAlignCenter: field->setAlignment(NSCenterTextAlignment); break;
      case IText::kAlignFar: field->setAlignment(NSRightTextAlignment); break;
      default: break;
    }
  }
  if (param) {
    auto* formatter = new CocoaFormatter_vThudrokka_au();
    formatter->autorelease();
    field->setFormatter(formatter);
    formatter->setAcceptableCharacterSet(
        NSCharacterSet::characterSetWithCharactersInString(AcceptableCharacters(param->Type())));
    formatter->setMaximumLength(control->GetTextEntryLength());
  }
  field->cell()->setLineBreakMode(NSLineBreakByTruncatingTail);
  field->setAllowsEditingTextAttributes(false);
  field->setFocusRingType(NSFocusRingTypeNone);
  if (text) {
    field->setTextColor(ToNSColor(text->mTextEntryFGColor));
    field->setBackgroundColor(ToNSColor(text->mTextEntryBGColor));
  }
  field->setStringValue(ToNSString(str));
  field->setBordered(false);
  field->setDelegate(this);
  addSubview(field);
  if (NSWindow* w = window()) {
    w->makeKeyAndOrderFront();
    w->makeFirstResponder(field);
  }
  mEdParam = param;
  mEdControl = control;
}

void IGraphicsCocoa_vThudrokka_au::controlTextDidEndEditing(NSTextField* field) {
  if (!field || field != mTextFieldView) return;
  const std::string text = field->stringValue();
  if (mGraphics && mEdControl) {
    if (mEdParam) {
      mGraphics->SetFromStringAfterPrompt(mEdControl, mEdParam, text.c_str());
    } else {
      mEdControl->TextFromTextEntry(text.c_str());
    }
  }
  endUserInput();
  setNeedsDisplay(true);
}

void IGraphicsCocoa_vThudrokka_au::endUserInput() {
  if (NSTextField* field = mTextFieldView) {
    field->setDelegate(nullptr);
    field->removeFromSuperview();
    // Given up once the event that ends the entry is over.
    field->autorelease();
  }
  if (NSWindow* w = window()) w->makeFirstResponder(this);
  mTextFieldView = nullptr;
  mEdControl = nullptr;
  mEdParam = nullptr;
}

IGraphicsNSMenu_vThudrokka_au::IGraphicsNSMenu_vThudrokka_au(IPopupMenu* model, NSView* receiver)
    : NSMenu(""), mIPopupMenu(model) {
  setAutoenablesItems(false);
  for (int i = 0; i < model->GetNItems(); ++i) {
    const IPopupMenuItem* item = model->GetItem(i);
    const std::string title = PrefixedMenuTitle(model, i, item->GetText());
    if (item->GetSubmenu()) {
      NSMenuItem* native = addItemWithTitle(title, false);
      auto* submenu = new IGraphicsNSMenu_vThudrokka_au(item->GetSubmenu(), receiver);
      setSubmenu(submenu, native);
      submenu->release();
    } else if (item->GetIsSeparator()) {
      addSeparatorItem();
    } else {
      NSMenuItem* native = addItemWithTitle(title, true);
      if (item->GetIsTitle()) native->setIndentationLevel(1);
      native->setState(item->GetChecked() ? 1 : 0);
      native->setEnabled(item->GetEnabled());
    }
  }
}

CocoaFormatter_vThudrokka_au::~CocoaFormatter_vThudrokka_au() {
  if (filterCharacterSet) filterCharacterSet->release();
}

void CocoaFormatter_vThudrokka_au::setAcceptableCharacterSet(NSCharacterSet* set) {
  if (set) set->retain();
  if (filterCharacterSet) filterCharacterSet->release();
  filterCharacterSet = set;
}

bool CocoaFormatter_vThudrokka_au::isPartialStringValid(const std::string& partial, std::string*, std::string*) {
  if (filterCharacterSet) {
    for (char16_t c : NSStringUnits(partial)) {
      if (!filterCharacterSet->characterIsMember(c)) return false;
    }
  }
  if (maxLength && NSStringLength(partial) > static_cast<size_t>(maxLength)) return false;
  if (maxValue && NSStringIntValue(partial) > maxValue) return false;
  return true;
}

bool CocoaFormatter_vThudrokka_au::getObjectValue(std::string* object, const std::string* string, std::string*) {
  if (object && string) *object = *string;
  return true;
}
