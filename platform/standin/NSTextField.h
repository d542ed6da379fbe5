// Stands in for AppKit's text fields and what they are set up with (NSTextField, NSFormatter, NSCharacterSet, NSFont, NSColor) on Linux: a field edits keystroke by keystroke, asking its formatter about every change.
#pragma once

#include <set>
#include <string>

#include "platform/standin/NSView.h"

class NSCharacterSet : public NSObject {
 public:
  // A new autoreleased set of the string's characters.
  static NSCharacterSet* characterSetWithCharactersInString(const std::string& characters);
  bool characterIsMember(unichar c) const { return mMembers.count(c) != 0; }

 private:
  std::set<unichar> mMembers;
};

// Object values are strings here; null stands for nil.
class NSFormatter : public NSObject {
 public:
  virtual const std::string* stringForObjectValue(const std::string* object) { return object; }
  virtual bool getObjectValue(std::string* object, const std::string* string, std::string* error) = 0;
  // Whether the text the field would hold after a keystroke may stand.
  virtual bool isPartialStringValid(const std::string& partial, std::string* newEditingString,
                                    std::string* error) = 0;
};

struct NSFont {
  std::string fontName;
  double pointSize;
  // A font of the process-wide set, made on first use; null for an empty name.
  static const NSFont* fontWithName(const std::string& name, double size);
};

struct NSColor {
  double red, green, blue, alpha;
  static NSColor colorWithCalibratedRed(double red, double green, double blue, double alpha) {
    return NSColor{red, green, blue, alpha};
  }
};

enum { NSLeftTextAlignment = 0, NSRightTextAlignment = 1, NSCenterTextAlignment = 2, NSNaturalTextAlignment = 4 };
enum { NSLineBreakByTruncatingTail = 4 };
enum { NSFocusRingTypeDefault = 0, NSFocusRingTypeNone = 1 };

class NSTextField;

struct NSCell {
  int lineBreakMode = 0;
  void setLineBreakMode(int mode) { lineBreakMode = mode; }
};

// What a field tells its delegate (controlTextDidEndEditing:).
class NSTextFieldDelegate {
 public:
  virtual void controlTextDidEndEditing(NSTextField* field) = 0;

 protected:
  ~NSTextFieldDelegate() = default;
};

// A single-line field. As first responder it edits: the whole text is
// selected when editing starts, a typed character replaces the selection,
// Delete (0x7F) removes the selection or the character before the caret,
// forward delete the one after it, the left and right arrows move the caret,
// and Return, Enter or Tab end editing. Every change is first offered to the
// formatter; a change it refuses leaves the text as it was. Editing also ends
// when the field gives up the first place; either way the delegate is told.
class NSTextField : public NSView {
 public:
  explicit NSTextField(NSRect frame) : NSView(frame) {}
  ~NSTextField() override;

  void setFont(const NSFont* font) { mFont = font; }
  const NSFont* font() const { return mFont; }
  void setAlignment(int alignment) { mAlignment = alignment; }
  int alignment() const { return mAlignment; }
  // The field retains the formatter.
  void setFormatter(NSFormatter* formatter);
  NSFormatter* formatter() const { return mFormatter; }
  NSCell* cell() { return &mCell; }
  void setAllowsEditingTextAttributes(bool allows) { mAllowsEditingTextAttributes = allows; }
  bool allowsEditingTextAttributes() const { return mAllowsEditingTextAttributes; }
  void setFocusRingType(int type) { mFocusRingType = type; }
  int focusRingType() const { return mFocusRingType; }
  void setTextColor(NSColor color) { mTextColor = color; }
  NSColor textColor() const { return mTextColor; }
  void setBackgroundColor(NSColor color) { mBackgroundColor = color; }
  NSColor backgroundColor() const { return mBackgroundColor; }
  void setBordered(bool bordered) { mBordered = bordered; }
  bool isBordered() const { return mBordered; }
  void setStringValue(const std::string& value);
  std::string stringValue() const { return mText; }
  // The delegate is not retained.
  void setDelegate(NSTextFieldDelegate* delegate) { mDelegate = delegate; }
  NSTextFieldDelegate* delegate() const { return mDelegate; }
  bool isEditing() const { return mEditing; }
  // Selection and caret in UTF-16 units.
  size_t selectionStart() const { return mSelectionStart; }
  size_t selectionEnd() const { return mSelectionEnd; }

  bool acceptsFirstResponder() override { return true; }
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  void keyDown(NSEvent* event) override;
  // The background colour over the frame.
  void drawRect(NSRect dirty) override;

 private:
  // Offers the text with [from, to) replaced to the formatter; true when taken.
  bool replace(size_t from, size_t to, const std::string& with);
  void endEditing();

  const NSFont* mFont = nullptr;
  int mAlignment = NSNaturalTextAlignment;
  NSFormatter* mFormatter = nullptr;
  NSCell mCell;
  bool mAllowsEditingTextAttributes = false;
  int mFocusRingType = NSFocusRingTypeDefault;
  NSColor mTextColor{0, 0, 0, 1};
  NSColor mBackgroundColor{1, 1, 1, 1};
  bool mBordered = true;
  std::string mText;
  NSTextFieldDelegate* mDelegate = nullptr;
  bool mEditing = false;
  size_t mSelectionStart = 0;
  size_t mSelectionEnd = 0;
};
