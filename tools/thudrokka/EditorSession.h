#pragma once

#include <memory>
#include <string>

#include "platform/standin/NSView.h"

class IGraphicsMac;
class IGraphicsCocoa_vThudrokka_au;
class InstrumentHost;

// The keys held with a mouse event, and its button.
struct MouseKeys {
  bool right = false;
  bool shift = false;
  bool control = false;
  bool option = false;
};

// The instrument's editor as a host shows it: the Cocoa view that the unit's
// view factory makes, placed at the corner of a window of its own whose
// screen holds what a person would see. Events go to the window as the
// window system makes them, in editor pixels from the top-left corner; after
// each the run loop ends its pass, as it does after a real event. The screen
// changes only as the editor's timer runs (tick).
class EditorSession {
 public:
  explicit EditorSession(InstrumentHost& host) : mHost(host) {}
  // The host takes the view away before the window goes.
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // Asks the opened unit for its Cocoa view and shows it; false, with error
  // set, when the unit offers none.
  bool open(std::string* error);
  IGraphicsMac* editor() const;
  NSWindow* window() const { return mWindow.get(); }
  // The view, or null once it let the editor go.
  IGraphicsCocoa_vThudrokka_au* view() const;

  // A press counted as click number clicks; drags and the release keep its
  // button and keys.
  void mouseDown(int x, int y, const MouseKeys& keys, int clicks = 1);
  void mouseDrag(int x, int y);
  void mouseUp(int x, int y);
  bool buttonHeld() const { return mButtonHeld; }
  void wheel(int x, int y, int steps, const MouseKeys& keys);
  // One key typing characters (UTF-8), to whatever takes keys.
  void key(unsigned short keyCode, const std::string& characters, bool shift = false);
  // Replaces the open text field's text by typing, then ends the entry with
  // Return; characters the field refuses stay out, as for a person.
  void enterText(const std::string& text);
  bool textFieldOpen() const;
  // Runs the editor's timer the given number of periods on the run loop's clock.
  void tick(int periods);

  // The screen as an opaque PNG; false, with error set, when it cannot be
  // written (the file is then left as it was).
  bool writeShot(const std::string& path, std::string* error) const;

 private:
  void mouse(int type, int x, int y, int clicks);
  void send(void* event);

  InstrumentHost& mHost;
  std::unique_ptr<NSWindow> mWindow;
  NSView* mView = nullptr;
  MouseKeys mHeld;
  bool mButtonHeld = false;
};
