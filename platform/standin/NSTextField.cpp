#include "platform/standin/NSTextField.h"

#include <algorithm>
#include <map>
#include <memory>

NSCharacterSet* NSCharacterSet::characterSetWithCharactersInString(const std::string& characters) {
  NSCharacterSet* set = new NSCharacterSet();
  for (char16_t c : NSStringUnits(characters)) set->mMembers.insert(c);
  set->autorelease();
  return set;
}

const NSFont* NSFont::fontWithName(const std::string& name, double size) {
  if (name.empty()) return nullptr;
  // Fonts live as long as the process, as the platform's shared fonts do.
  static auto* fonts = new std::map<std::pair<std::string, double>, std::unique_ptr<NSFont>>();
  std::unique_ptr<NSFont>& font = (*fonts)[{name, size}];
  if (!font) font.reset(new NSFont{name, size});
  return font.get();
}

NSTextField::~NSTextField() {
  if (mFormatter) mFormatter->release();
}

void NSTextField::setFormatter(NSFormatter* formatter) {
  if (formatter) formatter->retain();
  if (mFormatter) mFormatter->release();
  mFormatter = formatter;
}

void NSTextField::setStringValue(const std::string& value) {
  mText = value;
  mSelectionStart = mSelectionEnd = NSStringLength(mText);
  setNeedsDisplay(true);
}

bool NSTextField::becomeFirstResponder() {
  mEditing = true;
  mSelectionStart = 0;
  mSelectionEnd = NSStringLength(mText);
  return true;
}

bool NSTextField::resignFirstResponder() {
  if (mEditing) endEditing();
  return true;
}

void NSTextField::endEditing() {
  mEditing = false;
  if (mFormatter) {
    std::string object;
    if (mFormatter->getObjectValue(&object, &mText, nullptr)) {
      if (const std::string* shown = mFormatter->stringForObjectValue(&object)) mText = *shown;
    }
  }
  // The delegate may remove the field; nothing of it is used afterwards.
  if (mDelegate) mDelegate->controlTextDidEndEditing(this);
}

bool NSTextField::replace(size_t from, size_t to, const std::string& with) {
  std::u16string units = NSStringUnits(mText);
  to = std::min(to, units.size());
  from = std::min(from, to);
  const std::u16string inserted = NSStringUnits(with);
  units.replace(from, to - from, inserted);
  const std::string proposed = NSStringFromUnits(units);
  if (mFormatter) {
    std::string edited, error;
    if (!mFormatter->isPartialStringValid(proposed, &edited, &error)) return false;
  }
  mText = proposed;
  mSelectionStart = mSelectionEnd = from + inserted.size();
  setNeedsDisplay(true);
  return true;
}

void NSTextField::keyDown(NSEvent* event) {
  if (!mEditing || !event) {
    NSView::keyDown(event);
    return;
  }
  const std::u16string typed = NSStringUnits(event->characters());
  if (typed.empty()) return;
  const unichar c = typed[0];
  const size_t length = NSStringLength(mText);
  switch (c) {
    case '\r':
    case 3:
    case '\t':
      endEditing();
      return;
    case 0x7F:
      if (mSelectionStart != mSelectionEnd) {
        replace(mSelectionStart, mSelectionEnd, "");
      } else if (mSelectionStart > 0) {
        replace(mSelectionStart - 1, mSelectionStart, "");
      }
      return;
    case NSDeleteFunctionKey:
      if (mSelectionStart != mSelectionEnd) {
        replace(mSelectionStart, mSelectionEnd, "");
      } else if (mSelectionEnd < length) {
        replace(mSelectionEnd, mSelectionEnd + 1, "");
      }
      return;
    case NSLeftArrowFunctionKey:
      mSelectionEnd = mSelectionStart = mSelectionStart == mSelectionEnd && mSelectionStart > 0 ? mSelectionStart - 1
                                                                                                 : mSelectionStart;
      return;
    case NSRightArrowFunctionKey:
      mSelectionStart = mSelectionEnd = mSelectionStart == mSelectionEnd ? std::min(length, mSelectionEnd + 1)
                                                                         : mSelectionEnd;
      return;
    default:
      // Other function keys type nothing.
      if (c >= 0xF700 && c < 0xF900) return;
      replace(mSelectionStart, mSelectionEnd, event->characters());
  }
}

void NSTextField::drawRect(NSRect) {
  if (SWELL_GfxTarget* port = NSGraphicsContextCurrentPort()) {
    const float rgba[4] = {static_cast<float>(mBackgroundColor.red), static_cast<float>(mBackgroundColor.green),
                           static_cast<float>(mBackgroundColor.blue), static_cast<float>(mBackgroundColor.alpha)};
    SWELL_GfxFillRect(port, 0.0f, 0.0f, static_cast<float>(frame().size.width),
                      static_cast<float>(frame().size.height), rgba);
  }
}
