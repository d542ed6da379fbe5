#include "platform/standin/HIView.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

OpaqueWindowPtr* CarbonWindowOf(const NSView* view) { return dynamic_cast<OpaqueWindowPtr*>(view->window()); }

NSRect ToNSRect(const Rect& r) { return NSMakeRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

NSRect ToNSRect(const HIRect& r) { return NSMakeRect(r.origin.x, r.origin.y, r.size.width, r.size.height); }

HIRect ToHIRect(const NSRect& r) { return CGRectMake(r.origin.x, r.origin.y, r.size.width, r.size.height); }

short ToShort(double v) { return static_cast<short>(std::max(-32768.0, std::min(32767.0, std::floor(v)))); }

// Whether view lies in the tree below (or at) root.
bool IsInside(const NSView* view, const NSView* root) {
  for (const NSView* v = view; v; v = v->superview()) {
    if (v == root) return true;
  }
  return false;
}

void MarkForDisplay(NSView* view) {
  view->setNeedsDisplay(true);
  for (NSView* child : view->subviews()) MarkForDisplay(child);
}

// A window-space point (content from the top left) in base coordinates.
NSPoint WindowToBase(const NSWindow* window, HIPoint p) { return NSPoint{p.x, window->frame().size.height - p.y}; }

HIPoint BaseToWindow(const NSWindow* window, NSPoint p) { return HIPoint{p.x, window->frame().size.height - p.y}; }

OSStatus Embed(HIViewRef child, HIViewRef parent) {
  if (!child || !parent) return paramErr;
  if (IsInside(parent, child)) return errCantEmbedIntoSelf;
  parent->addSubview(child);
  return noErr;
}

bool EditText(ControlRef control, ControlPartCode part) {
  return control && control->kind == OpaqueControlRef::kEditTextControl &&
         (part == kControlEditTextPart || part == kControlEntireControl);
}

// Replaces the selected bytes of an edit-text control.
void ReplaceSelection(ControlRef c, size_t from, size_t to, const std::string& with) {
  to = std::min(to, c->text.size());
  from = std::min(from, to);
  c->text.replace(from, to - from, with);
  c->selectionStart = c->selectionEnd = from + with.size();
  c->setNeedsDisplay(true);
}

template <class T>
bool Read(Size size, const void* data, T* out) {
  if (size != static_cast<Size>(sizeof(T)) || !data) return false;
  std::memcpy(out, data, sizeof(T));
  return true;
}

}  // namespace

OpaqueControlRef::~OpaqueControlRef() {
  for (NSWindow* w : standin::AllWindows()) {
    if (auto* carbon = dynamic_cast<OpaqueWindowPtr*>(w)) {
      if (carbon->keyboardFocus == this) carbon->keyboardFocus = nullptr;
    }
  }
}

void OpaqueControlRef::drawRect(NSRect dirty) {
  OpaqueWindowPtr* window = CarbonWindowOf(this);
  if (!window) return;
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassControl, kEventControlDraw, 0, 0, &event);
  ControlRef self = this;
  SetEventParameter(event, kEventParamDirectObject, typeControlRef, sizeof(self), &self);
  RgnHandle region = NewRgn();
  const Rect area{ToShort(dirty.origin.y), ToShort(dirty.origin.x), ToShort(dirty.origin.y + dirty.size.height),
                  ToShort(dirty.origin.x + dirty.size.width)};
  RectRgn(region, &area);
  SetEventParameter(event, kEventParamRgnHandle, typeQDRgnHandle, sizeof(region), &region);
  if (window->isCompositing()) {
    CGContextRef context = NSGraphicsContextCurrentPort();
    SetEventParameter(event, kEventParamCGContextRef, typeCGContextRef, sizeof(context), &context);
  } else {
    CGrafPtr port = window->port;
    SetEventParameter(event, kEventParamGrafPort, typeGrafPtr, sizeof(port), &port);
  }
  SendEventToEventTarget(event, this);
  ReleaseEvent(event);
  DisposeRgn(region);
}

OSStatus OpaqueControlRef::standardHandler(EventRef event) {
  if (kind != kEditTextControl || GetEventClass(event) != kEventClassKeyboard ||
      (GetEventKind(event) != kEventRawKeyDown && GetEventKind(event) != kEventRawKeyRepeat)) {
    return eventNotHandledErr;
  }
  char c = 0;
  UInt32 keyCode = 0;
  GetEventParameter(event, kEventParamKeyMacCharCodes, typeChar, nullptr, 1, nullptr, &c);
  GetEventParameter(event, kEventParamKeyCode, typeUInt32, nullptr, sizeof(keyCode), nullptr, &keyCode);
  const bool selected = selectionStart != selectionEnd;
  if (keyCode == 123) {
    selectionStart = selectionEnd = selected || selectionStart == 0 ? selectionStart : selectionStart - 1;
  } else if (keyCode == 124) {
    selectionStart = selectionEnd = selected ? selectionEnd : std::min(text.size(), selectionEnd + 1);
  } else if (c == 8) {
    if (selected || selectionStart > 0) ReplaceSelection(this, selected ? selectionStart : selectionStart - 1, selectionEnd, "");
  } else if (c == 127) {
    if (selected || selectionEnd < text.size()) ReplaceSelection(this, selectionStart, selected ? selectionEnd : selectionEnd + 1, "");
  } else if (static_cast<unsigned char>(c) >= 32) {
    ReplaceSelection(this, selectionStart, selectionEnd, std::string(1, c));
  }
  return noErr;
}

EventTargetRef OpaqueControlRef::parentTarget() const {
  if (auto* parent = dynamic_cast<OpaqueControlRef*>(superview())) return parent;
  if (OpaqueWindowPtr* window = CarbonWindowOf(this)) return window;
  return nullptr;
}

OSStatus CreateUserPaneControl(WindowRef window, const Rect* bounds, UInt32 features, ControlRef* outControl) {
  if (!bounds || !outControl) return paramErr;
  auto* pane = new OpaqueControlRef(OpaqueControlRef::kUserPaneControl, ToNSRect(*bounds));
  pane->features = features;
  if (window) window->contentView()->addSubview(pane);
  *outControl = pane;
  return noErr;
}

OSStatus CreateEditUnicodeTextControl(WindowRef window, const Rect* bounds, CFStringRef text, Boolean,
                                      const ControlFontStyleRec* style, ControlRef* outControl) {
  if (!bounds || !outControl) return paramErr;
  auto* field = new OpaqueControlRef(OpaqueControlRef::kEditTextControl, ToNSRect(*bounds));
  if (text) field->text = standin::CFStringText(text);
  field->selectionStart = field->selectionEnd = field->text.size();
  if (style) field->fontStyle = *style;
  if (window) window->contentView()->addSubview(field);
  *outControl = field;
  return noErr;
}

void standin::SendControlDispose(ControlRef control) {
  if (!control || control->disposed) return;
  control->disposed = true;
  EventRef event = nullptr;
  CreateEvent(nullptr, kEventClassControl, kEventControlDispose, 0, 0, &event);
  SetEventParameter(event, kEventParamDirectObject, typeControlRef, sizeof(control), &control);
  SendEventToEventTargetWithOptions(event, control, kEventTargetDontPropagate);
  ReleaseEvent(event);
  // The handlers may have taken embedded controls away.
  const std::vector<NSView*> children = control->subviews();
  for (NSView* child : children) {
    const std::vector<NSView*>& now = control->subviews();
    if (std::find(now.begin(), now.end(), child) == now.end()) continue;
    if (auto* embedded = dynamic_cast<ControlRef>(child)) SendControlDispose(embedded);
  }
}

void DisposeControl(ControlRef control) {
  if (!control || control->disposed) return;
  standin::SendControlDispose(control);
  control->removeFromSuperview();
  control->autorelease();
}

EventTargetRef GetControlEventTarget(ControlRef control) { return control; }

OSStatus GetRootControl(WindowRef window, ControlRef* outControl) {
  if (!window || !outControl) return paramErr;
  *outControl = nullptr;
  if (!window->hasRootControl) return errNoRootControl;
  *outControl = static_cast<ControlRef>(window->contentView());
  return noErr;
}

OSStatus CreateRootControl(WindowRef window, ControlRef* outControl) {
  if (!window || !outControl) return paramErr;
  if (window->hasRootControl) return errRootAlreadyExists;
  window->hasRootControl = true;
  *outControl = static_cast<ControlRef>(window->contentView());
  return noErr;
}

OSStatus EmbedControl(ControlRef control, ControlRef container) { return Embed(control, container); }

void SizeControl(ControlRef control, SInt16 width, SInt16 height) {
  if (control) control->setFrameSize(NSSize{static_cast<double>(width), static_cast<double>(height)});
}

void UpdateControls(WindowRef window, RgnHandle) {
  if (!window || !window->contentView()) return;
  MarkForDisplay(window->contentView());
  window->display();
}

HIViewRef HIViewGetRoot(WindowRef window) {
  return window ? static_cast<HIViewRef>(window->contentView()) : nullptr;
}

OSStatus HIViewFindByID(HIViewRef startView, HIViewID id, HIViewRef* outView) {
  if (!startView || !outView) return paramErr;
  if (startView->viewID.signature == id.signature && startView->viewID.id == id.id) {
    *outView = startView;
    return noErr;
  }
  for (NSView* child : startView->subviews()) {
    auto* control = dynamic_cast<HIViewRef>(child);
    if (control && HIViewFindByID(control, id, outView) == noErr) return noErr;
  }
  *outView = nullptr;
  return errUnknownControl;
}

OSStatus HIViewAddSubview(HIViewRef parent, HIViewRef child) { return Embed(child, parent); }

HIViewRef HIViewGetSuperview(HIViewRef view) {
  return view ? dynamic_cast<HIViewRef>(view->superview()) : nullptr;
}

OSStatus HIViewRemoveFromSuperview(HIViewRef view) {
  if (!view) return paramErr;
  view->removeFromSuperview();
  return noErr;
}

OSStatus HIViewSetFrame(HIViewRef view, const HIRect* frame) {
  if (!view || !frame) return paramErr;
  view->setFrame(ToNSRect(*frame));
  return noErr;
}

OSStatus HIViewGetFrame(HIViewRef view, HIRect* outFrame) {
  if (!view || !outFrame) return paramErr;
  *outFrame = ToHIRect(view->frame());
  return noErr;
}

OSStatus HIViewConvertRect(HIRect* rect, HIViewRef source, HIViewRef destination) {
  if (!rect || (!source && !destination)) return paramErr;
  NSWindow* window = (source ? source : destination)->window();
  const NSView* root = window ? window->contentView() : nullptr;
  const NSView* from = source ? source : root;
  const NSView* to = destination ? destination : root;
  if (!from || !to) return paramErr;
  const NSPoint a = to->convertPoint(NSPoint{rect->origin.x, rect->origin.y}, from);
  const NSPoint b =
      to->convertPoint(NSPoint{rect->origin.x + rect->size.width, rect->origin.y + rect->size.height}, from);
  *rect = CGRectMake(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  return noErr;
}

OSStatus HIPointConvert(HIPoint* point, HICoordinateSpace sourceSpace, void* sourceObject,
                        HICoordinateSpace destinationSpace, void* destinationObject) {
  if (!point || !sourceObject || !destinationObject) return paramErr;
  NSPoint base;
  if (sourceSpace == kHICoordSpaceWindow) {
    base = WindowToBase(static_cast<WindowRef>(sourceObject), *point);
  } else if (sourceSpace == kHICoordSpaceView) {
    base = static_cast<HIViewRef>(sourceObject)->convertPointToBase(NSPoint{point->x, point->y});
  } else {
    return paramErr;
  }
  if (destinationSpace == kHICoordSpaceWindow) {
    *point = BaseToWindow(static_cast<WindowRef>(destinationObject), base);
  } else if (destinationSpace == kHICoordSpaceView) {
    const NSPoint local = static_cast<HIViewRef>(destinationObject)->convertPointFromBase(base);
    *point = HIPoint{local.x, local.y};
  } else {
    return paramErr;
  }
  return noErr;
}

OSStatus HIViewSetNeedsDisplayInRect(HIViewRef view, const HIRect* rect, Boolean needsDisplay) {
  if (!view || !rect) return paramErr;
  if (needsDisplay) view->setNeedsDisplayInRect(ToNSRect(*rect));
  return noErr;
}

OSStatus HIViewSetNeedsDisplay(HIViewRef view, Boolean needsDisplay) {
  if (!view) return paramErr;
  view->setNeedsDisplay(needsDisplay);
  return noErr;
}

OSStatus HIViewSetVisible(HIViewRef view, Boolean visible) {
  if (!view) return paramErr;
  view->setHidden(!visible);
  return noErr;
}

OSStatus HIViewGetViewForMouseEvent(HIViewRef startView, EventRef event, HIViewRef* outView) {
  if (!startView || !outView || !startView->window()) return paramErr;
  HIPoint where{0, 0};
  const OSStatus status =
      GetEventParameter(event, kEventParamWindowMouseLocation, typeHIPoint, nullptr, sizeof(where), nullptr, &where);
  if (status != noErr) return status;
  const NSPoint base = WindowToBase(startView->window(), where);
  NSView* parent = startView->superview();
  NSView* hit = startView->hitTest(parent ? parent->convertPointFromBase(base) : base);
  auto* control = dynamic_cast<HIViewRef>(hit);
  *outView = control ? control : startView;
  return noErr;
}

OSStatus HIViewAdvanceFocus(HIViewRef root, EventModifiers) {
  if (!root) return paramErr;
  auto* window = CarbonWindowOf(root);
  if (!window) return paramErr;
  std::vector<NSView*> pending{root};
  while (!pending.empty()) {
    NSView* view = pending.front();
    pending.erase(pending.begin());
    auto* control = dynamic_cast<HIViewRef>(view);
    if (control && control->kind == OpaqueControlRef::kEditTextControl && !control->isHidden()) {
      window->keyboardFocus = control;
      return noErr;
    }
    pending.insert(pending.end(), view->subviews().begin(), view->subviews().end());
  }
  return noErr;
}

OSStatus SetKeyboardFocus(WindowRef window, ControlRef control, ControlFocusPart part) {
  if (!window) return paramErr;
  if (part == kControlFocusNoPart || !control) {
    window->keyboardFocus = nullptr;
    return noErr;
  }
  if (control->kind != OpaqueControlRef::kEditTextControl || control->window() != window) return errInvalidPartCode;
  window->keyboardFocus = control;
  return noErr;
}

OSStatus SetControlData(ControlRef control, ControlPartCode part, ResType tag, Size size, const void* data) {
  if (!control) return paramErr;
  if (!EditText(control, part)) return errDataNotSupported;
  switch (tag) {
    case kControlEditTextCFStringTag: {
      CFStringRef string = nullptr;
      if (!Read(size, data, &string)) return errDataSizeMismatch;
      control->text = standin::CFStringText(string);
      control->selectionStart = control->selectionEnd = control->text.size();
      control->setNeedsDisplay(true);
      return noErr;
    }
    case kControlEditTextTextTag:
      if (size < 0 || (size && !data)) return errDataSizeMismatch;
      control->text.assign(static_cast<const char*>(data), static_cast<size_t>(size));
      control->selectionStart = control->selectionEnd = control->text.size();
      control->setNeedsDisplay(true);
      return noErr;
    case kControlEditTextSelectionTag: {
      ControlEditTextSelectionRec selection{};
      if (!Read(size, data, &selection)) return errDataSizeMismatch;
      const size_t end = control->text.size();
      control->selectionStart = std::min(end, static_cast<size_t>(std::max<SInt16>(0, selection.selStart)));
      control->selectionEnd =
          std::max(control->selectionStart, std::min(end, static_cast<size_t>(std::max<SInt16>(0, selection.selEnd))));
      return noErr;
    }
    case kControlFontStyleTag:
      return Read(size, data, &control->fontStyle) ? noErr : errDataSizeMismatch;
    case kControlEditTextSingleLineTag: {
      Boolean single = false;
      if (!Read(size, data, &single)) return errDataSizeMismatch;
      control->singleLine = single != 0;
      return noErr;
    }
    default:
      return errDataNotSupported;
  }
}

OSStatus GetControlData(ControlRef control, ControlPartCode part, ResType tag, Size bufferSize, void* buffer,
                        Size* actualSize) {
  if (!control) return paramErr;
  if (!EditText(control, part)) return errDataNotSupported;
  switch (tag) {
    case kControlEditTextCFStringTag: {
      if (bufferSize != static_cast<Size>(sizeof(CFStringRef)) || !buffer) return errDataSizeMismatch;
      CFStringRef string = standin::CFStringCreateFromStdString(control->text);
      std::memcpy(buffer, &string, sizeof(string));
      if (actualSize) *actualSize = sizeof(string);
      return noErr;
    }
    case kControlEditTextTextTag:
      if (bufferSize < 0 || (bufferSize && !buffer)) return errDataSizeMismatch;
      if (bufferSize) std::memcpy(buffer, control->text.data(), std::min(control->text.size(), static_cast<size_t>(bufferSize)));
      if (actualSize) *actualSize = static_cast<Size>(control->text.size());
      return noErr;
    case kControlEditTextSelectionTag: {
      if (bufferSize != static_cast<Size>(sizeof(ControlEditTextSelectionRec)) || !buffer) return errDataSizeMismatch;
      const ControlEditTextSelectionRec selection{static_cast<SInt16>(control->selectionStart),
                                                  static_cast<SInt16>(control->selectionEnd)};
      std::memcpy(buffer, &selection, sizeof(selection));
      if (actualSize) *actualSize = sizeof(selection);
      return noErr;
    }
    default:
      return errDataNotSupported;
  }
}
