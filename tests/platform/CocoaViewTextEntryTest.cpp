// Text entry in the Cocoa view: the field, its formatter, typing and the ways editing ends.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "framework/IParam.h"
#include "tests/platform/EditorHostFixture.h"
#include "tests/platform/ViewTestSupport.h"

namespace {

using viewtest::RecordingControl;

TEST(CocoaFormatterTest, RefusesForeignCharactersLongTextsAndLargeValues) {
  const struct {
    const char* set;  // null: no filter
    int maxLength;
    int maxValue;
    const char* text;
    bool valid;
  } cases[] = {
      {"0123456789-+", 0, 0, "-15", true},     {"0123456789-+", 0, 0, "1.", false},
      {"0123456789.-+", 0, 0, "1.5", true},    {"0123456789.-+", 0, 0, "1e5", false},
      {"", 0, 0, "1", false},                  {"", 0, 0, "", true},
      {nullptr, 0, 0, "any text at all", true}, {nullptr, 7, 0, "1234567", true},
      {nullptr, 7, 0, "12345678", false},      {nullptr, 2, 0, "\xC3\xA9\xC3\xA9", true},
      {nullptr, 0, 100, "100", true},          {nullptr, 0, 100, "101", false},
      {nullptr, 0, 100, " +99x", true},        {nullptr, 0, 100, "abc", true},
  };
  for (const auto& c : cases) {
    auto* formatter = new CocoaFormatter_vThudrokka_au();
    if (c.set) formatter->setAcceptableCharacterSet(NSCharacterSet::characterSetWithCharactersInString(c.set));
    formatter->setMaximumLength(c.maxLength);
    formatter->setMaximumValue(c.maxValue);
    std::string edited, error;
    EXPECT_EQ(formatter->isPartialStringValid(c.text, &edited, &error), c.valid) << c.text;
    formatter->release();
  }
  standin::DrainAutoreleasePool();

  CocoaFormatter_vThudrokka_au formatter;
  const std::string text = "12";
  EXPECT_EQ(formatter.stringForObjectValue(&text), &text);
  EXPECT_EQ(formatter.stringForObjectValue(nullptr), nullptr);
  std::string object;
  EXPECT_TRUE(formatter.getObjectValue(&object, &text, nullptr));
  EXPECT_EQ(object, "12");
  EXPECT_TRUE(formatter.getObjectValue(nullptr, &text, nullptr));
  EXPECT_TRUE(formatter.getObjectValue(&object, nullptr, nullptr));
}

TEST(CocoaFormatterTest, KeepsTheCharacterSetItIsGiven) {
  NSCharacterSet* digits = NSCharacterSet::characterSetWithCharactersInString("0123456789");
  digits->retain();
  {
    CocoaFormatter_vThudrokka_au formatter;
    formatter.setAcceptableCharacterSet(digits);
    EXPECT_EQ(digits->retainCount(), 3);
    formatter.setAcceptableCharacterSet(digits);
    EXPECT_EQ(digits->retainCount(), 3);
  }
  EXPECT_EQ(digits->retainCount(), 2) << "released with the formatter";
  standin::DrainAutoreleasePool();
  EXPECT_EQ(digits->retainCount(), 1);
  digits->release();
}

struct CocoaTextEntry : hosttest::EditorHostFixture {
  CocoaTextEntry() {
    const IColor grey = COLOR_GRAY;
    gui->AttachPanelBackground(&grey);
    control = new RecordingControl(&plug, IRECT(0, 0, 200, 100));
    gui->AttachControl(control);
    view = Open();
    intParam.InitInt("Steps", 3, 0, 20);
    doubleParam.InitDouble("Gain", 0.5, 0.0, 10.0, 0.01);
    enumParam.InitEnum("Mode", 0, 3);
  }
  ~CocoaTextEntry() override { standin::DrainAutoreleasePool(); }

  NSTextField* OpenEntry(IParam* param, const char* str = "", IText text = IText()) {
    IRECT area(10, 10, 60, 30);
    gui->CreateTextEntry(control, &text, &area, str, param);
    return view->mTextFieldView;
  }
  void Type(const std::string& chars, unsigned short keyCode = 0) {
    NSEvent e = NSEvent::keyEventWithType(NSKeyDown, NSPoint{0, 0}, 0, window->windowNumber(), chars, chars, keyCode);
    window->sendEvent(&e);
  }
  void TypeEach(const std::string& text) {
    for (char c : text) Type(std::string(1, c));
  }
  void Backspace() { Type("\x7F", 51); }
  void Return() { Type("\r", 36); }

  RecordingControl* control;
  IGraphicsCocoa_vThudrokka_au* view;
  IParam intParam, doubleParam, enumParam, noTypeParam;
};

TEST_F(CocoaTextEntry, TheFieldSitsOverTheAreaInTheTextStyle) {
  const IColor fg(255, 10, 20, 30), bg(128, 250, 240, 230);
  const struct {
    int size;
    int align;
    const char* face;
    double points;
    int alignment;
  } cases[] = {{12, IText::kAlignNear, "Arial", 10, NSLeftTextAlignment},
               {10, IText::kAlignCenter, "DejaVu Sans", 9, NSCenterTextAlignment},
               {15, IText::kAlignFar, "Arial", 13, NSRightTextAlignment},
               {20, 7, "Arial", 18, NSNaturalTextAlignment}};
  for (const auto& c : cases) {
    IText style(c.size, nullptr, c.face, IText::kStyleNormal, IText::kAlignNear, 0, IText::kQualityDefault, &bg, &fg);
    style.mAlign = c.align;
    NSTextField* field = OpenEntry(&intParam, "3", style);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->superview(), view);
    // The editor's (10, 10, 60, 30) in the view's upward coordinates.
    EXPECT_EQ(field->frame().origin.x, 10);
    EXPECT_EQ(field->frame().origin.y, 69);
    EXPECT_EQ(field->frame().size.width, 51);
    EXPECT_EQ(field->frame().size.height, 21);
    ASSERT_NE(field->font(), nullptr);
    EXPECT_EQ(field->font()->fontName, c.face);
    EXPECT_EQ(field->font()->pointSize, c.points) << c.size;
    EXPECT_EQ(field->alignment(), c.alignment) << c.align;
    EXPECT_NEAR(field->textColor().red, 10 / 255.0, 1e-12);
    EXPECT_NEAR(field->textColor().alpha, 1.0, 1e-12);
    EXPECT_NEAR(field->backgroundColor().blue, 230 / 255.0, 1e-12);
    EXPECT_NEAR(field->backgroundColor().alpha, 128 / 255.0, 1e-12);
    EXPECT_EQ(field->cell()->lineBreakMode, NSLineBreakByTruncatingTail);
    EXPECT_EQ(field->focusRingType(), NSFocusRingTypeNone);
    EXPECT_FALSE(field->allowsEditingTextAttributes());
    EXPECT_FALSE(field->isBordered());
    EXPECT_EQ(field->stringValue(), "3");
    EXPECT_EQ(window->firstResponder(), field);
    EXPECT_TRUE(field->isEditing());
    gui->ForceEndUserEdit();
  }
}

// Typing one, point, five: the point only goes into a field for a double.
TEST_F(CocoaTextEntry, TypingIsFilteredByTheParametersKind) {
  const struct {
    IParam* param;
    const char* typed;
    const char* shown;
  } cases[] = {{&intParam, "1.5", "15"},     {&doubleParam, "1.5", "1.5"}, {&enumParam, "-2a", "-2"},
               {&noTypeParam, "12", "3"},    {nullptr, "a b.", "a b."},    {&doubleParam, "+1-", "+1-"}};
  for (const auto& c : cases) {
    NSTextField* field = OpenEntry(c.param, "3");
    ASSERT_NE(field, nullptr);
    TypeEach(c.typed);
    EXPECT_EQ(field->stringValue(), c.shown) << c.typed;
    gui->ForceEndUserEdit();
  }
}

TEST_F(CocoaTextEntry, TheLengthLimitRefusesTheNextCharacterButNotBackspace) {
  control->SetTextEntryLength(7);
  NSTextField* field = OpenEntry(&intParam);
  TypeEach("12345678");
  EXPECT_EQ(field->stringValue(), "1234567");
  Backspace();
  EXPECT_EQ(field->stringValue(), "123456");
  TypeEach("9");
  EXPECT_EQ(field->stringValue(), "1234569");
  // The caret moves; a character goes in where it stands.
  Type(NSStringFromCharacter(NSLeftArrowFunctionKey), 123);
  Backspace();
  EXPECT_EQ(field->stringValue(), "123459");
  TypeEach("0");
  EXPECT_EQ(field->stringValue(), "1234509");
}

TEST_F(CocoaTextEntry, ReturnHandsTheTextToTheParameterOrTheControl) {
  NSTextField* field = OpenEntry(&intParam, "3");
  ASSERT_NE(field, nullptr);
  TypeEach("15");
  Return();
  EXPECT_EQ(view->mTextFieldView, nullptr);
  EXPECT_EQ(view->mEdControl, nullptr);
  EXPECT_EQ(view->mEdParam, nullptr);
  EXPECT_EQ(window->firstResponder(), view);
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.75) << "15 of 0..20";
  EXPECT_TRUE(view->needsDisplay());

  OpenEntry(nullptr, "name");
  TypeEach("d");
  Return();
  ASSERT_FALSE(control->calls.empty());
  EXPECT_EQ(control->calls.back().kind, "text");
  EXPECT_EQ(control->calls.back().text, "d");
}

TEST_F(CocoaTextEntry, AClickElsewhereTakesTheTextAndIsDelivered) {
  OpenEntry(&doubleParam, "1");
  TypeEach("2.5");
  NSEvent down = NSEvent::mouseEventWithType(NSLeftMouseDown, NSPoint{150, 50}, 0, window->windowNumber(), 1);
  window->sendEvent(&down);
  EXPECT_EQ(view->mTextFieldView, nullptr);
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.25);
  ASSERT_FALSE(control->calls.empty());
  EXPECT_EQ(control->calls.back().kind, "down");
}

TEST_F(CocoaTextEntry, WheelForcedEndAndRemovalDropTheText) {
  OpenEntry(&intParam, "3");
  TypeEach("9");
  NSEvent wheel = NSEvent::scrollWheelEvent(NSPoint{150, 50}, 0, window->windowNumber(), 1.0);
  window->sendEvent(&wheel);
  EXPECT_EQ(view->mTextFieldView, nullptr);
  EXPECT_EQ(window->firstResponder(), view);
  ASSERT_FALSE(control->calls.empty());
  EXPECT_EQ(control->calls.back().kind, "wheel") << "delivered once the field is closed";
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.0) << "the text was not taken";

  OpenEntry(&intParam, "3");
  TypeEach("9");
  gui->ForceEndUserEdit();
  EXPECT_EQ(view->mTextFieldView, nullptr);
  EXPECT_EQ(window->firstResponder(), view);
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.0);

  OpenEntry(&intParam, "3");
  TypeEach("9");
  view->removeFromSuperview();
  EXPECT_EQ(view->mTextFieldView, nullptr);
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.0);
}

// Every wheel event closes the field, also one that makes no whole step;
// the fractions still add up to the steps that are delivered.
TEST_F(CocoaTextEntry, EveryWheelEventClosesTheFieldAndFractionsStillAddUp) {
  const auto wheel = [this](double delta) {
    NSEvent e = NSEvent::scrollWheelEvent(NSPoint{150, 50}, 0, window->windowNumber(), delta);
    window->sendEvent(&e);
  };
  // 0.5, 0.5, 0.75 and 0.25 of a step so far: none whole.
  for (double delta : {0.5, 0.0, 0.25, -0.5, std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(delta);
    OpenEntry(&intParam, "3");
    TypeEach("9");
    control->calls.clear();
    wheel(delta);
    EXPECT_EQ(view->mTextFieldView, nullptr);
    EXPECT_EQ(window->firstResponder(), view);
    EXPECT_TRUE(control->calls.empty()) << "no whole step to deliver";
    EXPECT_DOUBLE_EQ(control->GetValue(), 0.0) << "the text was not taken";
  }
  wheel(0.75);
  ASSERT_EQ(control->calls.size(), 1u);
  EXPECT_EQ(control->calls[0].kind, "wheel");
  EXPECT_EQ(control->calls[0].value, 1);
}

TEST_F(CocoaTextEntry, NoFieldWithoutAControlOrBesideAnOpenOne) {
  IText style;
  IRECT area(10, 10, 60, 30);
  gui->CreateTextEntry(nullptr, &style, &area, "1", &intParam);
  EXPECT_EQ(view->mTextFieldView, nullptr);
  NSTextField* first = OpenEntry(&intParam, "1");
  ASSERT_NE(first, nullptr);
  IRECT other(100, 10, 150, 30);
  gui->CreateTextEntry(control, &style, &other, "2", &doubleParam);
  EXPECT_EQ(view->mTextFieldView, first);
  EXPECT_EQ(view->mEdParam, &intParam);
  EXPECT_EQ(view->subviews().size(), 1u);
  // Without a view, nothing opens.
  gui->CloseWindow();
  gui->CreateTextEntry(control, &style, &area, "1", &intParam);
  EXPECT_FALSE(gui->WindowIsOpen());
}

}  // namespace
