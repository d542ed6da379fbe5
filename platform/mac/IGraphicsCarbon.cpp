#include "platform/mac/IGraphicsCarbon.h"

#include <cstring>

#include "framework/IParam.h"
#include "framework/TextCopy.h"
#include "framework/TruncateToInt.h"
#include "graphics/IControl.h"
#include "graphics/IPopupMenu.h"
#include "platform/mac/CFStringUTF8.h"
#include "platform/mac/EditorViewMapping.h"
#include "platform/mac/IGraphicsMac.h"
#include "platform/standin/ATSFont.h"
#include "platform/standin/Appearance.h"

namespace {

const EventTypeSpec kControlEvents[] = {{kEventClassControl, kEventControlDraw},
                                        {kEventClassControl, kEventControlDispose}};

const EventTypeSpec kWindowEvents[] = {
    {kEventClassMouse, kEventMouseDown},     {kEventClassMouse, kEventMouseUp},
    {kEventClassMouse, kEventMouseMoved},    {kEventClassMouse, kEventMouseDragged},
    {kEventClassMouse, kEventMouseWheelMoved}, {kEventClassKeyboard, kEventRawKeyDown},
    {kEventClassWindow, kEventWindowDeactivated}};

const EventTypeSpec kTextEntryEvents[] = {{kEventClassKeyboard, kEventRawKeyDown},
                                          {kEventClassKeyboard, kEventRawKeyRepeat}};

constexpr UInt32 kCompositedPaneFeatures = 0x12000026;
constexpr UInt32 kPaneFeatures = 0x26;
constexpr ThemeCursor kArrowCursor = 0;

template <class T, size_t N>
ItemCount Count(const T (&)[N]) {
  return N;
}

// What a key typed into the entry for a parameter of this kind may be; a
// parameter without a kind takes everything.
bool Acceptable(IParam::EParamType type, char c) {
  return type == IParam::kTypeNone || (c && std::strchr(AcceptableCharacters(type), c));
}

}  // namespace

IRECT GetRegionRect(EventRef pEvent, int w, int h) {
  RgnHandle region = nullptr;
  if (GetEventParameter(pEvent, kEventParamRgnHandle, typeQDRgnHandle, nullptr, sizeof(region), nullptr, &region) ==
          noErr &&
      region) {
    Rect bounds;
    GetRegionBounds(region, &bounds);
    return IRECT(bounds.left, bounds.top, bounds.right, bounds.bottom);
  }
  return IRECT(0, 0, w, h);
}

void ResizeWindow(WindowRef pWindow, int w, int h) {
  Rect bounds;
  if (GetWindowBounds(pWindow, kWindowContentRgn, &bounds) != noErr) return;
  bounds.right = static_cast<short>(bounds.left + w);
  bounds.bottom = static_cast<short>(bounds.top + h);
  SetWindowBounds(pWindow, kWindowContentRgn, &bounds);
}

IGraphicsCarbon::IGraphicsCarbon(IGraphicsMac* pGraphicsMac, WindowRef pWindow, ControlRef pParentControl,
                                 short leftOffset, short topOffset)
    : mGraphicsMac(pGraphicsMac), mWindow(pWindow), mLeftOffset(leftOffset), mTopOffset(topOffset) {
  const int w = pGraphicsMac->Width(), h = pGraphicsMac->Height();
  WindowAttributes attributes = 0;
  GetWindowAttributes(pWindow, &attributes);
  mIsComposited = (attributes & kWindowCompositingAttribute) != 0;

  const Rect bounds{0, 0, static_cast<short>(h), static_cast<short>(w)};
  CreateUserPaneControl(pWindow, &bounds, mIsComposited ? kCompositedPaneFeatures : kPaneFeatures, &mView);

  InstallEventHandler(GetControlEventTarget(mView), MainEventHandler, Count(kControlEvents), kControlEvents, this,
                      &mControlHandler);
  InstallEventHandler(GetWindowEventTarget(pWindow), MainEventHandler, Count(kWindowEvents), kWindowEvents, this,
                      &mWindowHandler);
  InstallEventLoopTimer(GetMainEventLoop(), 0.0, 1.0 / pGraphicsMac->FPS(), TimerHandler, this, &mTimer);

  OSStatus embedded;
  if (mIsComposited) {
    HIViewRef parent = pParentControl;
    if (!parent) HIViewFindByID(HIViewGetRoot(pWindow), kHIViewWindowContentID, &parent);
    embedded = HIViewAddSubview(parent, mView);
  } else {
    ControlRef parent = pParentControl;
    if (!parent && GetRootControl(pWindow, &parent) != noErr) CreateRootControl(pWindow, &parent);
    embedded = EmbedControl(mView, parent);
  }
  if (embedded == noErr) SizeControl(mView, static_cast<SInt16>(w), static_cast<SInt16>(h));
}

IGraphicsCarbon::~IGraphicsCarbon() {
  if (mTextEntryView) {
    RemoveEventHandler(mTextEntryHandler);
    mTextEntryHandler = nullptr;
    HIViewRemoveFromSuperview(mTextEntryView);
    DisposeControl(mTextEntryView);
    mTextEntryView = nullptr;
    mEdControl = nullptr;
    mEdParam = nullptr;
  }
  RemoveEventLoopTimer(mTimer);
  RemoveEventHandler(mControlHandler);
  RemoveEventHandler(mWindowHandler);
  mView = nullptr;
  mTimer = nullptr;
}

bool IGraphicsCarbon::Resize(int w, int h) {
  if (!mWindow || !mView) return false;
  ResizeWindow(mWindow, w, h);
  const HIRect frame = CGRectMake(0, 0, w, h);
  return HIViewSetFrame(mView, &frame) == noErr;
}

void IGraphicsCarbon::TimerHandler(EventLoopTimerRef, void* pGraphicsCarbon) {
  auto* self = static_cast<IGraphicsCarbon*>(pGraphicsCarbon);
  IRECT r(0, 0, 0, 0);
  if (!self->mGraphicsMac->IsDirty(&r)) return;
  if (self->mIsComposited) {
    const HIRect area = CGRectMake(r.L, r.T, r.R - r.L, r.B - r.T);
    HIViewSetNeedsDisplayInRect(self->mView, &area, true);
  } else {
    UpdateControls(self->mWindow, nullptr);
  }
}

OSStatus IGraphicsCarbon::MainEventHandler(EventHandlerCallRef pHandlerCall, EventRef pEvent, void* pGraphicsCarbon) {
  auto* self = static_cast<IGraphicsCarbon*>(pGraphicsCarbon);
  switch (GetEventClass(pEvent)) {
    case kEventClassControl:
      if (GetEventKind(pEvent) == kEventControlDraw) return self->HandleDraw(pEvent);
      // The host disposed of the pane, or of its window, before closing the
      // view: the editor's window closes with it, which deletes this; the
      // platform's own disposal goes on.
      if (GetEventKind(pEvent) == kEventControlDispose) self->mGraphicsMac->CloseWindow();
      return eventNotHandledErr;
    case kEventClassMouse:
      return self->HandleMouse(pHandlerCall, pEvent);
    case kEventClassKeyboard:
      return GetEventKind(pEvent) == kEventRawKeyDown ? self->HandleKey(pEvent) : eventNotHandledErr;
    case kEventClassWindow: {
      WindowRef window = nullptr;
      if (GetEventKind(pEvent) == kEventWindowDeactivated &&
          GetEventParameter(pEvent, kEventParamDirectObject, typeWindowRef, nullptr, sizeof(window), nullptr,
                            &window) == noErr &&
          self->mTextEntryView) {
        self->EndUserInput(false);
      }
      // The window's own handling goes on.
      return eventNotHandledErr;
    }
    default:
      return eventNotHandledErr;
  }
}

OSStatus IGraphicsCarbon::HandleDraw(EventRef pEvent) {
  const int w = mGraphicsMac->Width(), h = mGraphicsMac->Height();
  IRECT area = GetRegionRect(pEvent, w, h);
  if (mIsComposited) {
    if (GetEventParameter(pEvent, kEventParamCGContextRef, typeCGContextRef, nullptr, sizeof(mCGC), nullptr,
                          &mCGC) == noErr) {
      // Origin at the top left, y downwards.
      CGContextTranslateCTM(mCGC, 0, h);
      CGContextScaleCTM(mCGC, 1, -1);
      mGraphicsMac->Draw(&area);
    }
  } else {
    CGrafPtr port = nullptr;
    if (GetEventParameter(pEvent, kEventParamGrafPort, typeGrafPtr, nullptr, sizeof(port), nullptr, &port) == noErr &&
        QDBeginCGContext(port, &mCGC) == noErr) {
      Rect bounds;
      GetPortBounds(port, &bounds);
      const int spare = bounds.right - bounds.left - w;
      const int dx = spare >= 0 ? spare / 2 : 0;
      // Centred across a wider port.
      CGContextTranslateCTM(mCGC, bounds.left + dx, -bounds.top);
      IRECT all(0, 0, w, h);
      mGraphicsMac->Draw(&all);
      QDEndCGContext(port, &mCGC);
    }
  }
  mCGC = nullptr;
  return noErr;
}

OSStatus IGraphicsCarbon::HandleMouse(EventHandlerCallRef pHandlerCall, EventRef pEvent) {
  HIPoint p{0, 0};
  GetEventParameter(pEvent, kEventParamWindowMouseLocation, typeHIPoint, nullptr, sizeof(p), nullptr, &p);
  HIPointConvert(&p, kHICoordSpaceWindow, mWindow, kHICoordSpaceView, mView);
  int x, y;
  if (!EditorMousePosition(p.x, p.y, false, 0, &x, &y)) return eventNotHandledErr;

  UInt32 modifiers = 0;
  EventMouseButton button = 0;
  GetEventParameter(pEvent, kEventParamKeyModifiers, typeUInt32, nullptr, sizeof(modifiers), nullptr, &modifiers);
  GetEventParameter(pEvent, kEventParamMouseButton, typeMouseButton, nullptr, sizeof(button), nullptr, &button);
  IMouseMod mod(true, button == kEventMouseButtonSecondary || (button == kEventMouseButtonPrimary && (modifiers & cmdKey)),
                (modifiers & shiftKey) != 0, (modifiers & controlKey) != 0, (modifiers & optionKey) != 0);

  switch (GetEventKind(pEvent)) {
    case kEventMouseDown: {
      if (mTextEntryView) {
        HIViewRef hit = nullptr;
        HIViewGetViewForMouseEvent(mView, pEvent, &hit);
        if (hit == mTextEntryView) return eventNotHandledErr;
        EndUserInput(true);
      }
      CallNextEventHandler(pHandlerCall, pEvent);
      UInt32 clicks = 0;
      GetEventParameter(pEvent, kEventParamClickCount, typeUInt32, nullptr, sizeof(clicks), nullptr, &clicks);
      if (clicks >= 2) {
        mGraphicsMac->OnMouseDblClick(x, y, &mod);
      } else {
        mGraphicsMac->OnMouseDown(x, y, &mod);
      }
      return noErr;
    }
    case kEventMouseUp:
      mGraphicsMac->OnMouseUp(x, y, &mod);
      return noErr;
    case kEventMouseMoved:
      mPrevX = x;
      mPrevY = y;
      mGraphicsMac->OnMouseOver(x, y, &mod);
      return noErr;
    case kEventMouseDragged:
      if (!mTextEntryView) mGraphicsMac->OnMouseDrag(x, y, &mod);
      return noErr;
    case kEventMouseWheelMoved: {
      EventMouseWheelAxis axis = 0;
      GetEventParameter(pEvent, kEventParamMouseWheelAxis, typeMouseWheelAxis, nullptr, sizeof(axis), nullptr, &axis);
      if (axis != kEventMouseWheelAxisY) return eventNotHandledErr;
      SInt32 delta = 0;
      GetEventParameter(pEvent, kEventParamMouseWheelDelta, typeSInt32, nullptr, sizeof(delta), nullptr, &delta);
      // The entry ends on every wheel event; one turned by nothing changes
      // nothing else.
      if (mTextEntryView) EndUserInput(false);
      if (delta) mGraphicsMac->OnMouseWheel(x, y, &mod, delta);
      return noErr;
    }
    default:
      return eventNotHandledErr;
  }
}

OSStatus IGraphicsCarbon::HandleKey(EventRef pEvent) {
  // The open entry has the keys.
  if (mTextEntryView) return eventNotHandledErr;
  UInt32 keyCode = 0;
  unsigned char c = 0;
  GetEventParameter(pEvent, kEventParamKeyCode, typeUInt32, nullptr, sizeof(keyCode), nullptr, &keyCode);
  GetEventParameter(pEvent, kEventParamKeyMacCharCodes, typeChar, nullptr, sizeof(c), nullptr, &c);
  const int code = EditorKeyCode(keyCode, c);
  if (code < 0) return eventNotHandledErr;
  return mGraphicsMac->OnKeyDown(mPrevX, mPrevY, code) ? noErr : eventNotHandledErr;
}

MenuRef IGraphicsCarbon::CreateMenu(IPopupMenu* pMenu) {
  const int n = pMenu->GetNItems();
  if (!n) return nullptr;
  MenuRef menu = nullptr;
  if (CreateNewMenu(UniqueID(FourCC("MENU")), 32, &menu) != noErr || !menu) return nullptr;
  for (int i = 0; i < n; ++i) {
    IPopupMenuItem* item = pMenu->GetItem(i);
    if (item->GetIsSeparator()) {
      CFStringRef empty = CFStringFromUTF8("");
      AppendMenuItemTextWithCFString(menu, empty, kMenuItemAttrSeparator, 0, nullptr);
      if (empty) CFRelease(empty);
      continue;
    }
    CFStringRef text = CFStringFromUTF8(PrefixedMenuTitle(pMenu, i, item->GetText()).c_str());
    MenuItemAttributes attributes = kMenuItemAttrIgnoreMeta;
    if (!item->GetEnabled()) attributes |= kMenuItemAttrDisabled;
    if (item->GetIsTitle()) attributes |= kMenuItemAttrSectionHeader;
    InsertMenuItemTextWithCFString(menu, text, static_cast<MenuItemIndex>(i), attributes, 0);
    if (text) CFRelease(text);
    const MenuItemIndex index = static_cast<MenuItemIndex>(i + 1);
    if (item->GetChecked()) CheckMenuItem(menu, index, true);
    if (IPopupMenu* sub = item->GetSubmenu()) {
      if (MenuRef submenu = CreateMenu(sub)) {
        SetMenuItemHierarchicalMenu(menu, index, submenu);
        ReleaseMenu(submenu);
      }
    }
  }
  SetMenuItemRefCon(menu, 0, reinterpret_cast<URefCon>(pMenu));
  InsertMenu(menu, kInsertHierarchicalMenu);
  return menu;
}

IPopupMenu* IGraphicsCarbon::CreateIPopupMenu(IPopupMenu* pMenu, IRECT* pAreaRect) {
  if (!pMenu || !pAreaRect) return nullptr;
  HIRect frame{};
  HIViewGetFrame(mView, &frame);
  HIViewRef content = nullptr;
  HIViewFindByID(HIViewGetRoot(mWindow), kHIViewWindowContentID, &content);
  HIViewConvertRect(&frame, HIViewGetSuperview(mView), content);
  Rect window{0, 0, 0, 0};
  GetWindowBounds(mWindow, kWindowContentRgn, &window);

  MenuRef menu = CreateMenu(pMenu);
  if (!menu) return nullptr;
  const short top = TruncateToInt<short>(window.top + frame.origin.y + pAreaRect->B + 5.0);
  const short left = TruncateToInt<short>(window.left + frame.origin.x + pAreaRect->L);
  const SInt32 result = PopUpMenuSelect(menu, top, left, 1);
  IPopupMenu* chosen = nullptr;
  if (result >= 0x10000) {
    const MenuItemIndex item = static_cast<MenuItemIndex>(result & 0xFFFF);
    URefCon model = 0;
    if (GetMenuItemRefCon(GetMenuHandle(static_cast<MenuID>(result >> 16)), 0, &model) == noErr && model) {
      chosen = reinterpret_cast<IPopupMenu*>(model);
      chosen->mChosenItemIdx = item - 1;
    }
  }
  ReleaseMenu(menu);
  return chosen;
}

void IGraphicsCarbon::CreateTextEntry(IControl* pControl, IText* pText, IRECT* pTextRect, const char* pString,
                                      IParam* pParam) {
  if (!pControl || !pTextRect || mTextEntryView || !mIsComposited) return;
  const Rect bounds{static_cast<short>(pTextRect->T), static_cast<short>(pTextRect->L),
                    static_cast<short>(pTextRect->B), static_cast<short>(pTextRect->R)};
  ControlRef entry = nullptr;
  if (CreateEditUnicodeTextControl(nullptr, &bounds, nullptr, false, nullptr, &entry) != noErr || !entry) return;
  HIViewAddSubview(mView, entry);
  InstallEventHandler(GetControlEventTarget(entry), TextEntryHandler, Count(kTextEntryEvents), kTextEntryEvents, this,
                      &mTextEntryHandler);
  mTextEntryView = entry;

  if (pString && *pString) {
    CFStringRef text = CFStringFromUTF8(pString);
    SetControlData(entry, kControlEditTextPart, kControlEditTextCFStringTag, sizeof(text), &text);
    if (text) CFRelease(text);
    const ControlEditTextSelectionRec selection{0, static_cast<SInt16>(std::strlen(pString))};
    SetControlData(entry, kControlEditTextPart, kControlEditTextSelectionTag, sizeof(selection), &selection);
  }

  ControlFontStyleRec style{};
  style.flags = kControlUseFontMask | kControlUseSizeMask | kControlUseJustMask;
  if (pText) {
    CFStringRef face = CFStringFromUTF8(pText->mFont);
    style.font = static_cast<SInt16>(ATSFontFamilyFindFromName(face, 0));
    if (face) CFRelease(face);
    style.size = static_cast<SInt16>(pText->mSize);
    style.just = pText->mAlign == IText::kAlignCenter ? teCenter
                 : pText->mAlign == IText::kAlignFar  ? teFlushRight
                                                      : teFlushDefault;
  }
  SetControlData(entry, kControlEditTextPart, kControlFontStyleTag, sizeof(style), &style);

  const Boolean singleLine = true;
  SetControlData(entry, kControlEditTextPart, kControlEditTextSingleLineTag, sizeof(singleLine), &singleLine);
  HIViewSetVisible(entry, true);
  HIViewAdvanceFocus(entry, 0);
  SetKeyboardFocus(mWindow, entry, kControlEditTextPart);
  SetUserFocusWindow(mWindow);
  mEdControl = pControl;
  mEdParam = pParam;
}

OSStatus IGraphicsCarbon::TextEntryHandler(EventHandlerCallRef, EventRef pEvent, void* pGraphicsCarbon) {
  auto* self = static_cast<IGraphicsCarbon*>(pGraphicsCarbon);
  if (GetEventClass(pEvent) != kEventClassKeyboard ||
      (GetEventKind(pEvent) != kEventRawKeyDown && GetEventKind(pEvent) != kEventRawKeyRepeat)) {
    return eventNotHandledErr;
  }
  char c = 0;
  UInt32 keyCode = 0;
  GetEventParameter(pEvent, kEventParamKeyMacCharCodes, typeChar, nullptr, sizeof(c), nullptr, &c);
  GetEventParameter(pEvent, kEventParamKeyCode, typeUInt32, nullptr, sizeof(keyCode), nullptr, &keyCode);
  if (c == 3 || c == 13) {
    self->EndUserInput(true);
    return noErr;
  }
  // Arrows, Backspace and Delete edit.
  if ((keyCode >= 123 && keyCode <= 126) || c == 8 || c == 127) return eventNotHandledErr;
  if (self->mEdParam && !Acceptable(self->mEdParam->Type(), c)) return noErr;
  char text[32] = {};
  Size length = 0;
  GetControlData(self->mTextEntryView, kControlEditTextPart, kControlEditTextTextTag, sizeof(text) - 1, text, &length);
  if (length > static_cast<Size>(sizeof(text) - 1)) length = sizeof(text) - 1;
  if (self->mEdControl && length >= self->mEdControl->GetTextEntryLength()) return noErr;
  return eventNotHandledErr;
}

void IGraphicsCarbon::EndUserInput(bool commit) {
  if (ControlRef entry = mTextEntryView) {
    RemoveEventHandler(mTextEntryHandler);
    mTextEntryHandler = nullptr;
    if (commit && mEdControl) {
      CFStringRef string = nullptr;
      char text[32];
      GetControlData(entry, kControlEditTextPart, kControlEditTextCFStringTag, sizeof(string), &string, nullptr);
      WDL_String typed;
      CFStringToUTF8(string, &typed);
      CopyText(text, typed.Get(), sizeof(text));
      if (string) CFRelease(string);
      if (mEdParam) {
        mGraphicsMac->SetFromStringAfterPrompt(mEdControl, mEdParam, text);
      } else {
        mEdControl->TextFromTextEntry(text);
      }
    }
    HIViewSetVisible(entry, false);
    HIViewRemoveFromSuperview(entry);
    DisposeControl(entry);
  }
  if (mIsComposited) {
    HIViewSetNeedsDisplay(mView, true);
  } else if (mEdControl) {
    mEdControl->SetDirty(false);
    mEdControl->SetRedraw(true);
  }
  SetThemeCursor(kArrowCursor);
  SetUserFocusWindow(kUserFocusAuto);
  mTextEntryView = nullptr;
  mEdControl = nullptr;
  mEdParam = nullptr;
}
