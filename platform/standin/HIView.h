// Stands in for Carbon controls and views (Controls, HIView) on Linux: flipped views of the AppKit stand-in, each an event target, that draw through control-draw events and, as edit-text controls, edit the keys of the keyboard focus.
#pragma once

#include <string>

#include "platform/standin/CFString.h"
#include "platform/standin/CGImage.h"
#include "platform/standin/MacWindows.h"
#include "platform/standin/QuickDraw.h"

typedef CGPoint HIPoint;
typedef CGRect HIRect;
typedef SInt16 ControlPartCode;
typedef ControlPartCode ControlFocusPart;
typedef OSType ResType;
typedef long Size;
typedef UInt32 EventModifiers;

struct HIViewID {
  OSType signature;
  SInt32 id;
};
constexpr HIViewID kHIViewWindowContentID = {FourCC("wind"), 1};

enum : ControlPartCode { kControlEntireControl = 0, kControlFocusNoPart = 0, kControlEditTextPart = 5 };

enum : ResType {
  kControlEditTextCFStringTag = FourCC("cfst"),
  kControlEditTextSelectionTag = FourCC("sele"),
  kControlFontStyleTag = FourCC("font"),
  kControlEditTextSingleLineTag = FourCC("sglc"),
  kControlEditTextTextTag = FourCC("text"),
};

enum : SInt16 { kControlUseFontMask = 0x01, kControlUseSizeMask = 0x04, kControlUseJustMask = 0x40 };
enum : SInt16 { teFlushDefault = 0, teCenter = 1, teFlushRight = -1, teFlushLeft = -2 };

struct RGBColor {
  UInt16 red, green, blue;
};

struct ControlFontStyleRec {
  SInt16 flags;
  SInt16 font;
  SInt16 size;
  SInt16 style;
  SInt16 mode;
  SInt16 just;
  RGBColor foreColor;
  RGBColor backColor;
};

struct ControlEditTextSelectionRec {
  SInt16 selStart;
  SInt16 selEnd;
};

typedef UInt32 HICoordinateSpace;
enum : HICoordinateSpace { kHICoordSpaceWindow = 3, kHICoordSpaceView = 4 };

constexpr OSStatus errDataNotSupported = -30581;
constexpr OSStatus errUnknownControl = -30584;
constexpr OSStatus errNoRootControl = -30586;
constexpr OSStatus errRootAlreadyExists = -30587;
constexpr OSStatus errInvalidPartCode = -30588;
constexpr OSStatus errDataSizeMismatch = -30591;
constexpr OSStatus errCantEmbedIntoSelf = -30594;

// Carbon's coordinates run down from each control's top-left corner. A
// control of a window draws by sending itself the control-draw event ('cntl'
// 4) with the region to draw ('rgnh') and, in a compositing window, the
// context of its area ('cntx', y upwards from its bottom-left corner as a
// flipped view's is), else the window's port ('graf').
struct OpaqueControlRef : public NSView, public OpaqueEventTargetRef {
  enum Kind { kRootControl, kUserPaneControl, kEditTextControl };

  OpaqueControlRef(Kind controlKind, NSRect frame) : NSView(frame), kind(controlKind) {}
  ~OpaqueControlRef() override;

  bool isFlipped() const override { return true; }
  void drawRect(NSRect dirty) override;
  // Edit-text controls type the keys that reach them.
  OSStatus standardHandler(EventRef event) override;
  // The containing control, then the window.
  EventTargetRef parentTarget() const override;

  const Kind kind;
  UInt32 features = 0;
  HIViewID viewID{0, 0};
  // Edit-text controls: the text in UTF-8, the selection in bytes, the style.
  std::string text;
  size_t selectionStart = 0;
  size_t selectionEnd = 0;
  bool singleLine = false;
  ControlFontStyleRec fontStyle{};
  // Set once the control has heard that it is disposed of.
  bool disposed = false;
};
typedef OpaqueControlRef* HIViewRef;

// A control made with a window goes into the window's root control.
OSStatus CreateUserPaneControl(WindowRef window, const Rect* bounds, UInt32 features, ControlRef* outControl);
OSStatus CreateEditUnicodeTextControl(WindowRef window, const Rect* bounds, CFStringRef text, Boolean isPassword,
                                      const ControlFontStyleRec* style, ControlRef* outControl);
// Takes the control out of its window and frees it once the event being
// handled is over; first it and the controls embedded in it hear that they
// are disposed of. A control disposed of already is left alone.
void DisposeControl(ControlRef control);
EventTargetRef GetControlEventTarget(ControlRef control);

OSStatus GetRootControl(WindowRef window, ControlRef* outControl);
OSStatus CreateRootControl(WindowRef window, ControlRef* outControl);
OSStatus EmbedControl(ControlRef control, ControlRef container);
void SizeControl(ControlRef control, SInt16 width, SInt16 height);
// Draws, at once, every control of the window; the region is not used.
void UpdateControls(WindowRef window, RgnHandle region);

// The stand-in's windows have no frame: the root view is the content view.
HIViewRef HIViewGetRoot(WindowRef window);
// Searches the view and everything below it.
OSStatus HIViewFindByID(HIViewRef startView, HIViewID id, HIViewRef* outView);
OSStatus HIViewAddSubview(HIViewRef parent, HIViewRef child);
// Null for a view without a Carbon superview.
HIViewRef HIViewGetSuperview(HIViewRef view);
OSStatus HIViewRemoveFromSuperview(HIViewRef view);
OSStatus HIViewSetFrame(HIViewRef view, const HIRect* frame);
OSStatus HIViewGetFrame(HIViewRef view, HIRect* outFrame);
// From one view's coordinates to another's; null stands for the window's root view.
OSStatus HIViewConvertRect(HIRect* rect, HIViewRef source, HIViewRef destination);
// Between a window's space (its content, from the top left) and a view's.
OSStatus HIPointConvert(HIPoint* point, HICoordinateSpace sourceSpace, void* sourceObject,
                        HICoordinateSpace destinationSpace, void* destinationObject);
OSStatus HIViewSetNeedsDisplayInRect(HIViewRef view, const HIRect* rect, Boolean needsDisplay);
OSStatus HIViewSetNeedsDisplay(HIViewRef view, Boolean needsDisplay);
OSStatus HIViewSetVisible(HIViewRef view, Boolean visible);
// The deepest visible view under the event's window mouse location, from
// the start view down; the start view when none below it is hit.
OSStatus HIViewGetViewForMouseEvent(HIViewRef startView, EventRef event, HIViewRef* outView);
// Gives the keyboard focus to the first edit-text control under the root.
OSStatus HIViewAdvanceFocus(HIViewRef root, EventModifiers modifiers);
// kControlFocusNoPart takes the focus away.
OSStatus SetKeyboardFocus(WindowRef window, ControlRef control, ControlFocusPart part);

// Edit-text controls hold data on part kControlEditTextPart (or the entire
// control): 'cfst' a CFStringRef (one the caller releases when read), 'text'
// the UTF-8 bytes, 'sele' the selection, 'font' the style, 'sglc' a Boolean.
OSStatus SetControlData(ControlRef control, ControlPartCode part, ResType tag, Size size, const void* data);
OSStatus GetControlData(ControlRef control, ControlPartCode part, ResType tag, Size bufferSize, void* buffer,
                        Size* actualSize);

namespace standin {

// What the platform does to a control it disposes of, and to a window's
// controls when the window goes: the control hears it first ('cntl' 1001,
// sent to it alone), then each control still embedded in it once its
// handlers have run; each control hears it once. Nothing is freed here.
void SendControlDispose(ControlRef control);

}  // namespace standin
