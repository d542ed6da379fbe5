// The AppKit stand-ins the Cocoa view relies on: where a window sends its
// events, flipped coordinates, what drawing contexts look like, objects
// given up during an event, key windows and delayed performs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/standin/CGImage.h"
#include "platform/standin/NSView.h"
#include "platform/standin/RunLoop.h"

namespace {

// Logs the events it takes.
class LoggingView : public NSView {
 public:
  LoggingView(const char* name, std::vector<std::string>* log, NSRect frame, bool flipped = false,
              bool accepts = true)
      : NSView(frame), mName(name), mLog(log), mFlipped(flipped), mAccepts(accepts) {}
  bool isFlipped() const override { return mFlipped; }
  bool acceptsFirstResponder() override { return mAccepts; }
  void mouseDown(NSEvent* e) override { Log("down", e); }
  void mouseDragged(NSEvent* e) override { Log("dragged", e); }
  void mouseUp(NSEvent* e) override { Log("up", e); }
  void mouseMoved(NSEvent* e) override { Log("moved", e); }
  void scrollWheel(NSEvent* e) override { Log("wheel", e); }
  void keyDown(NSEvent* e) override { Log("key", e); }

 private:
  void Log(const char* what, NSEvent* e) {
    const NSPoint p = convertPoint(e->locationInWindow(), nullptr);
    mLog->push_back(mName + " " + what + " " + std::to_string(static_cast<int>(p.x)) + "," +
                    std::to_string(static_cast<int>(p.y)));
  }
  std::string mName;
  std::vector<std::string>* mLog;
  bool mFlipped;
  bool mAccepts;
};

void Send(NSWindow* window, NSEventType type, double x, double y) {
  NSEvent e = type == NSScrollWheel ? NSEvent::scrollWheelEvent(NSPoint{x, y}, 0, window->windowNumber(), 1.0)
              : type == NSKeyDown
                  ? NSEvent::keyEventWithType(type, NSPoint{x, y}, 0, window->windowNumber(), "k", "k", 40)
                  : NSEvent::mouseEventWithType(type, NSPoint{x, y}, 0, window->windowNumber(), 1);
  window->sendEvent(&e);
}

TEST(StandinAppKit, AWindowSendsEventsWhereAppKitDoes) {
  std::vector<std::string> log;
  NSWindow window(NSMakeRect(0, 0, 200, 100));
  // A flipped panel on the right holding a button, and a view that never
  // takes the first place on the left.
  auto* panel = new LoggingView("panel", &log, NSMakeRect(100, 0, 100, 100), true);
  auto* button = new LoggingView("button", &log, NSMakeRect(10, 20, 30, 10));
  auto* shy = new LoggingView("shy", &log, NSMakeRect(0, 0, 100, 100), false, false);
  window.contentView()->addSubview(panel);
  window.contentView()->addSubview(shy);
  panel->addSubview(button);

  Send(&window, NSLeftMouseDown, 115, 75);  // the button: 20 down in the panel, its bottom 10 below
  EXPECT_EQ(window.firstResponder(), button);
  Send(&window, NSLeftMouseDragged, 5, 5);  // drags and the release follow the view pressed
  Send(&window, NSLeftMouseUp, 5, 5);
  Send(&window, NSMouseMoved, 150, 50);  // not taken until the window accepts moves
  window.setAcceptsMouseMovedEvents(true);
  Send(&window, NSMouseMoved, 150, 50);
  Send(&window, NSKeyDown, 0, 0);
  Send(&window, NSLeftMouseDown, 50, 50);  // the shy view is pressed but stays second
  EXPECT_EQ(window.firstResponder(), button);
  Send(&window, NSScrollWheel, 150, 50);
  button->setHidden(true);
  EXPECT_EQ(window.firstResponder(), &window) << "a hidden first responder gives its place up";
  Send(&window, NSLeftMouseDown, 115, 75);
  EXPECT_EQ(log, (std::vector<std::string>{"button down 5,5", "button dragged -105,-65", "button up -105,-65",
                                           "button moved 40,-20", "button key -110,-70", "shy down 50,50",
                                           "panel wheel 50,50", "panel down 15,25"}));
}

TEST(StandinAppKit, PointsConvertThroughFlippedAndUnflippedViews) {
  NSWindow window(NSMakeRect(0, 0, 200, 100));
  auto* flipped = new LoggingView("f", nullptr, NSMakeRect(20, 10, 150, 80), true);
  auto* plain = new NSView(NSMakeRect(5, 10, 40, 30));
  window.contentView()->addSubview(flipped);
  flipped->addSubview(plain);
  const NSPoint base = plain->convertPointToBase(NSPoint{0, 0});
  EXPECT_EQ(base.x, 25);
  EXPECT_EQ(base.y, 90 - 40);
  const NSPoint back = plain->convertPointFromBase(base);
  EXPECT_EQ(back.x, 0);
  EXPECT_EQ(back.y, 0);
  const NSPoint inFlipped = flipped->convertPoint(NSPoint{0, 30}, plain);
  EXPECT_EQ(inFlipped.x, 5);
  EXPECT_EQ(inFlipped.y, 10);
  EXPECT_EQ(window.contentView()->hitTest(NSPoint{30, 60}), plain);
  EXPECT_EQ(window.contentView()->hitTest(NSPoint{30, 89}), flipped);
  EXPECT_EQ(window.contentView()->hitTest(NSPoint{-1, 0}), nullptr);
}

// A two-row image: red on top, blue below.
CGImageRef TwoRows() {
  std::vector<unsigned char> pixels = {255, 255, 0, 0, 255, 0, 0, 255};
  SWELL_GfxTarget source;
  SWELL_GfxInit(&source, pixels.data(), 1, 2, 4);
  return CGBitmapContextCreateImage(&source);
}

class ImageView : public NSView {
 public:
  ImageView(NSRect frame, bool flipped, bool flipBack) : NSView(frame), mFlipped(flipped), mFlipBack(flipBack) {}
  bool isFlipped() const override { return mFlipped; }
  void drawRect(NSRect) override {
    CGContextRef context = NSGraphicsContextCurrentPort();
    if (mFlipBack) {
      CGContextTranslateCTM(context, 0, frame().size.height);
      CGContextScaleCTM(context, 1, -1);
    }
    CGImageRef image = TwoRows();
    CGContextDrawImage(context, CGRectMake(0, 0, frame().size.width, frame().size.height), image);
    CGImageRelease(image);
  }

 private:
  bool mFlipped;
  bool mFlipBack;
};

// The stand-in's contexts are the platform's upside down, so the same code
// turns out the same way round as it would there.
TEST(StandinAppKit, ImagesAreUprightInUnflippedViewsAndInFlippedOnesFlippedBack) {
  const struct {
    bool flipped, flipBack;
    int top, bottom;
  } cases[] = {{false, false, 0xFF0000, 0x0000FF}, {true, false, 0x0000FF, 0xFF0000}, {true, true, 0xFF0000, 0x0000FF}};
  for (const auto& c : cases) {
    NSWindow window(NSMakeRect(0, 0, 20, 20));
    window.contentView()->addSubview(new ImageView(NSMakeRect(5, 6, 4, 8), c.flipped, c.flipBack));
    window.display();
    // The view's top row is screen row 20 - 14 = 6.
    EXPECT_EQ(window.screenPixel(6, 6), c.top) << c.flipped << c.flipBack;
    EXPECT_EQ(window.screenPixel(6, 13), c.bottom) << c.flipped << c.flipBack;
    EXPECT_EQ(window.screenPixel(6, 14), 0);
    EXPECT_EQ(window.screenPixel(4, 6), 0);
  }
}

class Counted : public NSObject {
 public:
  explicit Counted(int* alive) : mAlive(alive) { ++*mAlive; }
  ~Counted() override { --*mAlive; }

 private:
  int* mAlive;
};

// Autoreleases a new object while it takes a key.
class GivingView : public NSView {
 public:
  explicit GivingView(int* alive) : NSView(NSMakeRect(0, 0, 10, 10)), mAlive(alive) {}
  bool acceptsFirstResponder() override { return true; }
  void keyDown(NSEvent*) override {
    (new Counted(mAlive))->autorelease();
    aliveDuring = *mAlive;
  }
  int aliveDuring = 0;

 private:
  int* mAlive;
};

TEST(StandinAppKit, ObjectsGivenUpDuringAnEventLiveUntilItIsOver) {
  int alive = 0;
  NSWindow window(NSMakeRect(0, 0, 10, 10));
  auto* view = new GivingView(&alive);
  window.contentView()->addSubview(view);
  window.makeFirstResponder(view);
  Send(&window, NSKeyDown, 0, 0);
  EXPECT_EQ(view->aliveDuring, 1);
  EXPECT_EQ(alive, 0);

  auto* kept = new Counted(&alive);
  kept->retain();
  kept->autorelease();
  standin::RunLoopAdvance(0.0);
  EXPECT_EQ(kept->retainCount(), 1) << "the run loop drains after its pass";
  kept->release();
  EXPECT_EQ(alive, 0);
}

// Titled windows can become the key window, borderless ones cannot; a
// window released when closed goes with its last holder.
TEST(StandinAppKit, OnlyWindowsThatCanBecomeKeyDoAndClosingReleases) {
  NSWindow titled(NSMakeRect(0, 0, 10, 10));
  NSWindow borderless(NSMakeRect(0, 0, 10, 10), NSBorderlessWindowMask, NSBackingStoreBuffered, false);
  titled.makeKeyAndOrderFront();
  EXPECT_TRUE(titled.isKeyWindow());
  borderless.makeKeyAndOrderFront();
  EXPECT_TRUE(borderless.isVisible());
  EXPECT_FALSE(borderless.isKeyWindow());
  EXPECT_TRUE(titled.isKeyWindow());
  titled.orderOut();
  EXPECT_FALSE(titled.isKeyWindow());

  const size_t windows = standin::AllWindows().size();
  auto* held = new NSWindow(NSMakeRect(0, 0, 10, 10));
  held->setReleasedWhenClosed(true);
  held->retain();
  held->close();
  EXPECT_EQ(standin::AllWindows().size(), windows + 1);
  EXPECT_FALSE(held->isVisible());
  held->release();
  EXPECT_EQ(standin::AllWindows().size(), windows);
}

class Poked : public NSObject {
 public:
  explicit Poked(std::vector<std::string>* log) : mLog(log) {}
  ~Poked() override { mLog->push_back("gone"); }
  void poke() { mLog->push_back("poked"); }

 private:
  std::vector<std::string>* mLog;
};

TEST(StandinAppKit, ADelayedPerformRunsOnceAndHoldsItsTargetUntilThen) {
  std::vector<std::string> log;
  auto* target = new Poked(&log);
  standin::PerformSelectorAfterDelay(target, &Poked::poke, 0.05);
  target->release();
  standin::RunLoopAdvance(0.049);
  EXPECT_TRUE(log.empty()) << "held by the pending perform";
  standin::RunLoopAdvance(0.001);
  EXPECT_EQ(log, (std::vector<std::string>{"poked", "gone"}));
  standin::RunLoopAdvance(1.0);
  EXPECT_EQ(log.size(), 2u);

  // Cancelled, its calls never come and its holds are given back.
  log.clear();
  auto* cancelled = new Poked(&log);
  standin::PerformSelectorAfterDelay(cancelled, &Poked::poke, 0.05);
  standin::PerformSelectorAfterDelay(cancelled, &Poked::poke, 0.0);
  standin::CancelPreviousPerformRequests(cancelled);
  EXPECT_EQ(cancelled->retainCount(), 1);
  standin::RunLoopAdvance(0.1);
  EXPECT_TRUE(log.empty());
  cancelled->release();
  EXPECT_EQ(log, (std::vector<std::string>{"gone"}));
}

}  // namespace
