// The Carbon stand-ins the editor's Carbon host relies on: typed event
// parameters, handler chains, event-loop timers, windows with controls, and
// Menu Manager menus answering the scripted person.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/standin/HIView.h"
#include "platform/standin/Menus.h"
#include "platform/standin/RunLoop.h"
#include "platform/standin/UserScript.h"

namespace {

struct Log {
  std::vector<std::string> entries;
};

struct HandlerData {
  Log* log;
  std::string name;
  OSStatus answer;
  bool callNext = false;
  EventHandlerRef removeWhenCalled = nullptr;
};

OSStatus Handler(EventHandlerCallRef next, EventRef event, void* userData) {
  auto* d = static_cast<HandlerData*>(userData);
  d->log->entries.push_back(d->name);
  if (d->removeWhenCalled) RemoveEventHandler(d->removeWhenCalled);
  if (d->callNext) {
    const OSStatus rest = CallNextEventHandler(next, event);
    d->log->entries.push_back(d->name + " after " + std::to_string(rest));
  }
  return d->answer;
}

// A target whose standard handling is logged.
struct LoggingTarget : OpaqueEventTargetRef {
  LoggingTarget(Log* l, EventTargetRef p = nullptr) : log(l), parent(p) {}
  OSStatus standardHandler(EventRef) override {
    log->entries.push_back("standard");
    return answer;
  }
  EventTargetRef parentTarget() const override { return parent; }
  Log* log;
  EventTargetRef parent;
  OSStatus answer = eventNotHandledErr;
};

EventRef MakeEvent(UInt32 eventClass = kEventClassMouse, UInt32 kind = kEventMouseDown) {
  EventRef event = nullptr;
  EXPECT_EQ(CreateEvent(nullptr, eventClass, kind, 0, 0, &event), noErr);
  return event;
}

const EventTypeSpec kMouseDown[] = {{kEventClassMouse, kEventMouseDown}};

TEST(StandinCarbonEvents, ParametersAreReadOnlyAsTheTypeTheyWereSetWith) {
  EventRef event = MakeEvent();
  const UInt32 clicks = 2;
  const char chars[] = "ab";
  SetEventParameter(event, kEventParamClickCount, typeUInt32, sizeof(clicks), &clicks);
  SetEventParameter(event, kEventParamKeyMacCharCodes, typeChar, 2, chars);

  UInt32 read = 0;
  EventParamType type = 0;
  ByteCount size = 0;
  EXPECT_EQ(GetEventParameter(event, kEventParamClickCount, typeUInt32, &type, sizeof(read), &size, &read), noErr);
  EXPECT_EQ(read, 2u);
  EXPECT_EQ(type, typeUInt32);
  EXPECT_EQ(size, sizeof(read));
  UInt16 wrong = 0;
  EXPECT_EQ(GetEventParameter(event, kEventParamClickCount, typeMouseButton, nullptr, sizeof(wrong), nullptr, &wrong),
            errAECoercionFail);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(GetEventParameter(event, kEventParamClickCount, typeWildCard, &type, sizeof(read), nullptr, &read), noErr);
  // A smaller buffer takes what fits and learns the whole size.
  char first = 0;
  EXPECT_EQ(GetEventParameter(event, kEventParamKeyMacCharCodes, typeChar, nullptr, 1, &size, &first), noErr);
  EXPECT_EQ(first, 'a');
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(GetEventParameter(event, kEventParamMouseButton, typeMouseButton, nullptr, 2, nullptr, &wrong),
            eventParameterNotFoundErr);
  EXPECT_EQ(GetEventClass(event), kEventClassMouse);
  EXPECT_EQ(GetEventKind(event), kEventMouseDown);
  ReleaseEvent(event);
}

TEST(StandinCarbonEvents, HandlersRunNewestFirstUntilOneTakesTheEvent) {
  Log log;
  LoggingTarget window(&log);
  LoggingTarget control(&log, &window);
  HandlerData older{&log, "older", noErr}, newer{&log, "newer", eventNotHandledErr};
  HandlerData onWindow{&log, "window", eventNotHandledErr};
  EventHandlerRef olderRef = nullptr, newerRef = nullptr, windowRef = nullptr;
  InstallEventHandler(&control, Handler, 1, kMouseDown, &older, &olderRef);
  InstallEventHandler(&control, Handler, 1, kMouseDown, &newer, &newerRef);
  InstallEventHandler(&window, Handler, 1, kMouseDown, &onWindow, &windowRef);
  EventRef event = MakeEvent();

  EXPECT_EQ(SendEventToEventTarget(event, &control), noErr);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"newer", "older"}));

  // Unhandled everywhere: the standard handling, then the parent.
  older.answer = eventNotHandledErr;
  log.entries.clear();
  EXPECT_EQ(SendEventToEventTarget(event, &control), eventNotHandledErr);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"newer", "older", "standard", "window", "standard"}));

  // A handler that calls on the rest first hears their answer.
  newer.callNext = true;
  newer.answer = noErr;
  control.answer = noErr;
  log.entries.clear();
  EXPECT_EQ(SendEventToEventTarget(event, &control), noErr);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"newer", "older", "standard", "newer after 0"}));

  // Other kinds of events pass the handlers by.
  EventRef up = MakeEvent(kEventClassMouse, kEventMouseUp);
  log.entries.clear();
  EXPECT_EQ(SendEventToEventTarget(up, &control), noErr);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"standard"}));

  // A handler removing another while it runs; removing twice is refused.
  newer.callNext = false;
  newer.answer = eventNotHandledErr;
  newer.removeWhenCalled = olderRef;
  log.entries.clear();
  SendEventToEventTarget(event, &control);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"newer", "standard"}));
  EXPECT_EQ(RemoveEventHandler(olderRef), paramErr);
  EXPECT_EQ(RemoveEventHandler(newerRef), noErr);
  EXPECT_EQ(control.handlers.size(), 0u);
  EXPECT_EQ(RemoveEventHandler(windowRef), noErr);
  ReleaseEvent(event);
  ReleaseEvent(up);
}

TEST(StandinCarbonEvents, AHandlerMayBeRemovedAfterItsTargetIsGone) {
  Log log;
  HandlerData data{&log, "h", noErr};
  EventHandlerRef ref = nullptr;
  {
    LoggingTarget target(&log);
    InstallEventHandler(&target, Handler, 1, kMouseDown, &data, &ref);
  }
  EXPECT_EQ(RemoveEventHandler(ref), noErr);
  EXPECT_EQ(RemoveEventHandler(nullptr), paramErr);
}

struct TimerLog {
  std::vector<double> at;
  EventLoopTimerRef self = nullptr;
  int removeAfter = -1;
};

void OnTimer(EventLoopTimerRef timer, void* userData) {
  auto* log = static_cast<TimerLog*>(userData);
  log->at.push_back(standin::RunLoopNow());
  EXPECT_EQ(timer, log->self);
  if (static_cast<int>(log->at.size()) == log->removeAfter) RemoveEventLoopTimer(timer);
}

TEST(StandinCarbonEvents, TimersFireAtOnceThenAtTheirIntervalOrOnlyOnce) {
  const double start = standin::RunLoopNow();
  TimerLog repeating, once, removing;
  removing.removeAfter = 2;
  ASSERT_EQ(InstallEventLoopTimer(GetMainEventLoop(), 0.0, 0.04, OnTimer, &repeating, &repeating.self), noErr);
  ASSERT_EQ(InstallEventLoopTimer(GetMainEventLoop(), 0.05, 0.0, OnTimer, &once, &once.self), noErr);
  ASSERT_EQ(InstallEventLoopTimer(GetMainEventLoop(), 0.0, 0.01, OnTimer, &removing, &removing.self), noErr);
  standin::RunLoopAdvance(0.1);
  ASSERT_EQ(repeating.at.size(), 3u);
  EXPECT_NEAR(repeating.at[0] - start, 0.0, 1e-12);
  EXPECT_NEAR(repeating.at[2] - start, 0.08, 1e-12);
  ASSERT_EQ(once.at.size(), 1u);
  EXPECT_NEAR(once.at[0] - start, 0.05, 1e-12);
  EXPECT_EQ(removing.at.size(), 2u);
  EXPECT_EQ(RemoveEventLoopTimer(repeating.self), noErr);
  EXPECT_EQ(RemoveEventLoopTimer(once.self), noErr);
  EXPECT_EQ(InstallEventLoopTimer(nullptr, 0.0, 1.0, OnTimer, &once, &once.self), paramErr);
}

TEST(StandinCarbonWindows, ControlsSitInFlippedCoordinatesOfTheirWindow) {
  const Rect bounds{100, 50, 300, 450};
  WindowRef window = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowNoAttributes, &bounds, &window), noErr);
  Rect content;
  ASSERT_EQ(GetWindowBounds(window, kWindowContentRgn, &content), noErr);
  EXPECT_EQ(content.top, 100);
  EXPECT_EQ(content.left, 50);
  EXPECT_EQ(content.bottom, 300);
  EXPECT_EQ(content.right, 450);
  ControlRef root = nullptr;
  EXPECT_EQ(GetRootControl(window, &root), errNoRootControl);
  ASSERT_EQ(CreateRootControl(window, &root), noErr);
  EXPECT_EQ(CreateRootControl(window, &root), errRootAlreadyExists);

  const Rect outer{20, 30, 120, 230}, inner{5, 10, 25, 60};
  ControlRef a = nullptr, b = nullptr;
  CreateUserPaneControl(window, &outer, 0, &a);
  CreateUserPaneControl(nullptr, &inner, 0, &b);
  EXPECT_EQ(b->superview(), nullptr);
  ASSERT_EQ(EmbedControl(b, a), noErr);
  EXPECT_EQ(EmbedControl(a, b), errCantEmbedIntoSelf);
  HIPoint p{42, 27};
  ASSERT_EQ(HIPointConvert(&p, kHICoordSpaceWindow, window, kHICoordSpaceView, b), noErr);
  EXPECT_EQ(p.x, 2);
  EXPECT_EQ(p.y, 2);
  HIRect frame{};
  HIViewGetFrame(b, &frame);
  ASSERT_EQ(HIViewConvertRect(&frame, a, root), noErr);
  EXPECT_EQ(frame.origin.x, 40);
  EXPECT_EQ(frame.origin.y, 25);
  EXPECT_EQ(frame.size.width, 50);
  EXPECT_EQ(frame.size.height, 20);

  // The port draws from the window's top-left corner, y downwards.
  Rect port;
  GetPortBounds(GetWindowPort(window), &port);
  EXPECT_EQ(port.right, 400);
  EXPECT_EQ(port.bottom, 200);
  CGContextRef context = nullptr;
  ASSERT_EQ(QDBeginCGContext(GetWindowPort(window), &context), noErr);
  const float green[4] = {0, 1, 0, 1};
  SWELL_GfxFillRect(context, 3, 4, 1, 1, green);
  EXPECT_EQ(QDEndCGContext(GetWindowPort(window), &context), noErr);
  EXPECT_EQ(context, nullptr);
  EXPECT_EQ(window->screenPixel(3, 4), 0x00FF00);

  ASSERT_EQ(SetWindowBounds(window, kWindowContentRgn, &outer), noErr);
  EXPECT_EQ(window->frame().size.width, 200);
  DisposeWindow(window);
  EXPECT_EQ(GetWindowEventTarget(window), nullptr);
}

struct DisposeListener {
  std::vector<std::string>* heard;
  std::string name;
  ControlRef control;
  WindowRef window;
};

// Logs the name, and whether the event was about another control or came
// when the window was gone already.
OSStatus HearDispose(EventHandlerCallRef, EventRef event, void* userData) {
  auto* l = static_cast<DisposeListener*>(userData);
  ControlRef about = nullptr;
  GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr, sizeof(about), nullptr, &about);
  l->heard->push_back(l->name + (about == l->control ? "" : " about another") +
                      (GetWindowEventTarget(l->window) ? "" : " without its window"));
  return eventNotHandledErr;
}

// Controls hear that they are disposed of: alone, or all of a window's as
// it goes, each once, containers before what they hold.
TEST(StandinCarbonWindows, DisposingAControlOrItsWindowTellsEachControlInIt) {
  const Rect bounds{100, 50, 300, 450}, area{0, 0, 50, 50};
  WindowRef window = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowCompositingAttribute, &bounds, &window), noErr);
  ControlRef root = HIViewGetRoot(window), outer = nullptr, inner = nullptr, other = nullptr, alone = nullptr,
             held = nullptr;
  CreateUserPaneControl(window, &area, 0, &outer);
  CreateUserPaneControl(nullptr, &area, 0, &inner);
  EmbedControl(inner, outer);
  CreateUserPaneControl(window, &area, 0, &other);
  CreateUserPaneControl(window, &area, 0, &alone);
  CreateUserPaneControl(nullptr, &area, 0, &held);
  EmbedControl(held, alone);

  std::vector<std::string> heard;
  DisposeListener listeners[] = {{&heard, "root", root, window},   {&heard, "outer", outer, window},
                                 {&heard, "inner", inner, window}, {&heard, "other", other, window},
                                 {&heard, "alone", alone, window}, {&heard, "held", held, window}};
  const EventTypeSpec dispose[] = {{kEventClassControl, kEventControlDispose}};
  std::vector<EventHandlerRef> handlers;
  for (DisposeListener& l : listeners) {
    EventHandlerRef ref = nullptr;
    ASSERT_EQ(InstallEventHandler(GetControlEventTarget(l.control), HearDispose, 1, dispose, &l, &ref), noErr);
    handlers.push_back(ref);
  }

  DisposeControl(alone);
  EXPECT_EQ(heard, (std::vector<std::string>{"alone", "held"})) << "nothing above hears it";
  EXPECT_EQ(alone->superview(), nullptr);
  EXPECT_EQ(held->superview(), alone);
  standin::DrainAutoreleasePool();

  heard.clear();
  DisposeWindow(window);
  EXPECT_EQ(heard, (std::vector<std::string>{"root", "outer", "inner", "other"}));
  for (EventHandlerRef ref : handlers) EXPECT_EQ(RemoveEventHandler(ref), noErr);
}

TEST(StandinCarbonMenus, ASelectionAnswersTheMenuIdAndItem) {
  standin::ResetUserScript();
  MenuRef top = nullptr, sub = nullptr;
  const MenuID topID = UniqueID(FourCC("MENU"));
  ASSERT_EQ(CreateNewMenu(topID, 0, &top), noErr);
  const MenuID subID = UniqueID(FourCC("MENU"));
  EXPECT_NE(subID, topID);
  ASSERT_EQ(CreateNewMenu(subID, 0, &sub), noErr);
  CFStringRef one = standin::CFStringCreateFromStdString("One");
  CFStringRef two = standin::CFStringCreateFromStdString("Two");
  InsertMenuItemTextWithCFString(top, one, 0, 0, 0);
  InsertMenuItemTextWithCFString(top, two, 0, 0, 0);
  AppendMenuItemTextWithCFString(top, nullptr, kMenuItemAttrSeparator, 0, nullptr);
  AppendMenuItemTextWithCFString(top, one, kMenuItemAttrDisabled, 0, nullptr);
  InsertMenuItemTextWithCFString(sub, two, 0, 0, 0);
  ASSERT_EQ(SetMenuItemHierarchicalMenu(top, 2, sub), noErr);
  ReleaseMenu(sub);
  CheckMenuItem(top, 1, true);
  SetMenuItemRefCon(top, 0, 77);
  SetMenuItemRefCon(sub, 0, 88);
  InsertMenu(top, kInsertHierarchicalMenu);
  InsertMenu(sub, kInsertHierarchicalMenu);
  EXPECT_EQ(GetMenuHandle(subID), sub);

  standin::AnswerMenu({"One", "Two"});
  const SInt32 chosen = PopUpMenuSelect(top, 40, 30, 1);
  EXPECT_EQ(chosen, (static_cast<SInt32>(subID) << 16) | 1);
  URefCon refCon = 0;
  GetMenuItemRefCon(GetMenuHandle(static_cast<MenuID>(chosen >> 16)), 0, &refCon);
  EXPECT_EQ(refCon, 88u);
  const standin::PromptRecord& shown = standin::Prompts().back();
  EXPECT_EQ(shown.choices, (std::vector<std::string>{"Two [x]", "One", "One > Two", "-", "One [disabled]"}));
  EXPECT_EQ(shown.x, 30);
  EXPECT_EQ(shown.y, 40);
  standin::AnswerMenu({"One"});
  EXPECT_EQ(PopUpMenuSelect(top, 40, 30, 1), 0) << "an item with a submenu is only passed through";
  EXPECT_EQ(PopUpMenuSelect(top, 40, 30, 1), 0) << "dismissed";

  // The last release frees the menus, and the menu list forgets them.
  ReleaseMenu(top);
  EXPECT_EQ(GetMenuHandle(topID), nullptr);
  EXPECT_EQ(GetMenuHandle(subID), nullptr);
  CFRelease(one);
  CFRelease(two);
}

}  // namespace
