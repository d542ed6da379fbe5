#pragma once

#include <string>
#include <vector>

#include "framework/WDL_String.h"
#include "graphics/IGraphics.h"
#include "platform/standin/NSView.h"

class IGraphicsCarbon;
class IGraphicsCocoa_vThudrokka_au;

// The macOS editor host: the platform-neutral editor of its base, shown in a
// Cocoa view or a Carbon window, with images from the plug-in bundle and the
// platform's alerts, file panels, menus, URL opening, paths and cursor. At
// most one of the two hosts is open; opening one closes the other. Main
// thread only.
class IGraphicsMac : public IGraphics {
 public:
  IGraphicsMac(IPlugBase* plug, int w, int h, int fps = 0);
  ~IGraphicsMac() override;

  // Copies the whole back buffer into the view or pane being drawn.
  bool DrawScreen(IRECT* r) override;
  bool MeasureIText(IText* text, const char* str, IRECT* r) override;
  // Closes an open text entry without taking its text.
  void ForceEndUserEdit() override;
  // Nothing at the current size.
  void Resize(int w, int h) override;
  bool WindowIsOpen() override;
  const char* GetGUIAPI() override;
  // Types: 4 Yes/No, 3 Yes/No/Cancel, 1 OK/Cancel, others one button. The
  // default button gives 1, the alternate one 7, the other one 2, anything
  // else (a dismissed alert) 0.
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT* areaRect) override;
  void CreateTextEntry(IControl* control, IText* text, IRECT* textRect, const char* str, IParam* param) override;
  // The running application's executable.
  void HostPath(WDL_String* path) override;
  // The folder that holds the plug-in bundle, with a trailing "/".
  void PluginPath(WDL_String* path) override;
  // The home folder's Desktop, with a trailing "/"; empty without a home.
  void DesktopPath(WDL_String* path) override;
  // Without an open editor only empties fileName. An empty dir becomes
  // "~/Desktop"; a chosen file's folder comes back with a trailing "/".
  void PromptForFile(WDL_String* fileName, EFileAction action, WDL_String* dir, const char* extensions) override;
  bool PromptForColor(IColor* color, const char* prompt = "") override;
  // Addresses containing "http" are web addresses, anything else a file path.
  bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsg = nullptr) override;
  // The Cocoa view, added to the parent view when one is given.
  void* OpenWindow(void* parentView) override;
  // The Carbon host's pane in the window, inside control (null: the window's own).
  void* OpenWindow(void* window, void* control, short leftOffset = 0, short topOffset = 0) override;
  // A borderless child window over the host's Carbon window, centred when
  // the host is wider, that comes to the front a moment later. Attaching
  // again first removes the previous one.
  void AttachSubWindow(void* hostWindowRef) override;
  // Nothing without an attached window.
  void RemoveSubWindow() override;
  void CloseWindow() override;
  // The Cocoa view; null under Carbon.
  void* GetWindow() override;
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  LICE_IBitmap* OSLoadBitmap(int id, const char* name) override;
  // The image files that OSLoadBitmap read, in the order read. Images stay
  // in a cache of the process: one that an earlier editor read is not read
  // again.
  const std::vector<std::string>& ImageFilesRead() const { return mImageFilesRead; }

  void* OpenCocoaWindow(void* parentView);
  void* OpenCarbonWindow(void* window, void* control, short leftOffset, short topOffset);
  // The system version, 0 when it cannot be asked.
  static int GetUserOSVersion();
  // The plug-in's bundle, in which the images and paths are looked up.
  void SetBundleID(const char* bundleID) { mBundleID.Set(bundleID); }
  const char* GetBundleID() const { return mBundleID.Get(); }
  IGraphicsCarbon* GetGraphicsCarbon() const { return mGraphicsCarbon; }

 private:
  IGraphicsCarbon* mGraphicsCarbon = nullptr;
  IGraphicsCocoa_vThudrokka_au* mGraphicsCocoa = nullptr;
  WDL_String mBundleID;
  NSWindow* mHostNSWindow = nullptr;
  std::vector<std::string> mImageFilesRead;
};

// The child window of AttachSubWindow: borderless, yet able to become the
// key window, so that the editor's text entry takes the keys.
class CustomCocoaWindow_vThudrokka_au : public NSWindow {
 public:
  using NSWindow::NSWindow;
  bool canBecomeKeyWindow() override { return true; }
};

// The PNG image of the bundle's resources whose base name is that of name
// (folders and a ".png" extension in any case dropped); null when name is
// not a PNG name, or the bundle, the image or its decoding fails. The file
// read goes to file when given, also when its decoding fails.
LICE_IBitmap* LoadImgFromResourceOSX(const char* bundleID, const char* name, std::string* file = nullptr);
