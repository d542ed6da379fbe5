#include "platform/mac/IGraphicsMac.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lice/LICE_SysBitmap.h"
#include "lice/PNG.h"
#include "platform/mac/CFStringUTF8.h"
#include "platform/mac/IGraphicsCarbon.h"
#include "platform/mac/IGraphicsCocoa.h"
#include "platform/standin/CFString.h"
#include "platform/standin/CFUserNotification.h"
#include "platform/standin/CGDisplay.h"
#include "platform/standin/CGImage.h"
#include "platform/standin/Components.h"
#include "platform/standin/NSBundle.h"
#include "platform/standin/NSPanels.h"
#include "platform/standin/NSWorkspace.h"
#include "platform/standin/RunLoop.h"

namespace {

// An editor rectangle (top-left origin) as a rectangle of the view; in
// doubles, which hold any rectangle's sizes.
NSRect ToViewRect(const IRECT* r, int editorHeight) {
  const double l = r->L, t = r->T, right = r->R, b = r->B;
  return NSMakeRect(l, editorHeight - 1.0 - b, right - l + 1.0, b - t + 1.0);
}

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  }
  return *a == *b;
}

// The last component of a path without its extension, as the platform's
// path operations take them apart.
std::string BaseName(const std::string& path) {
  std::string name = path;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  const size_t slash = name.find_last_of('/');
  if (slash != std::string::npos && name.size() > 1) name = name.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
  return name;
}

// Split at every single blank, so that two blanks in a row give an empty type.
std::vector<std::string> SplitAtBlanks(const char* text) {
  std::vector<std::string> parts(1);
  for (const char* c = text; *c; ++c) {
    if (*c == ' ') {
      parts.emplace_back();
    } else {
      parts.back() += *c;
    }
  }
  return parts;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* entry = getpwuid(getuid())) {
    if (entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
  }
  return "";
}

}  // namespace

IGraphicsMac::IGraphicsMac(IPlugBase* plug, int w, int h, int fps) : IGraphics(plug, w, h, fps) {}

IGraphicsMac::~IGraphicsMac() {
  RemoveSubWindow();
  CloseWindow();
}

bool IGraphicsMac::DrawScreen(IRECT*) {
  // The Cocoa view's port (taken flipped it is the same port here), or the
  // context of the Carbon pane's draw event.
  CGContextRef context = mGraphicsCarbon  ? mGraphicsCarbon->GetCGContext()
                         : mGraphicsCocoa ? NSGraphicsContextCurrentPort()
                                          : nullptr;
  if (!context || !mDrawBitmap) return false;
  CGImageRef image = CGBitmapContextCreateImage(SWELL_GetCtxGC(mDrawBitmap->getDC()));
  CGContextDrawImage(context, CGRectMake(0, 0, mDrawBitmap->getRowSpan(), mHeight), image);
  CGImageRelease(image);
  return true;
}

bool IGraphicsMac::MeasureIText(IText* text, const char* str, IRECT* r) { return DrawIText(text, str, r, true); }

void IGraphicsMac::ForceEndUserEdit() {
  if (mGraphicsCarbon) {
    mGraphicsCarbon->EndUserInput(false);
  } else if (mGraphicsCocoa) {
    mGraphicsCocoa->endUserInput();
  }
}

void IGraphicsMac::Resize(int w, int h) {
  if (w == mWidth && h == mHeight) return;
  IGraphics::Resize(w, h);
  if (mGraphicsCarbon) {
    mGraphicsCarbon->Resize(w, h);
  } else if (mGraphicsCocoa) {
    mGraphicsCocoa->setFrameSize(NSSize{static_cast<double>(w), static_cast<double>(h)});
  }
}

bool IGraphicsMac::WindowIsOpen() { return mGraphicsCarbon || mGraphicsCocoa; }

const char* IGraphicsMac::GetGUIAPI() {
  if (!mGraphicsCarbon) return "Cocoa gui";
  return mGraphicsCarbon->GetIsComposited() ? "Carbon Composited gui" : "Carbon Non-Composited gui";
}

int IGraphicsMac::ShowMessageBox(const char* text, const char* caption, int type) {
  CFStringRef message = CFStringFromUTF8(text);
  CFStringRef header = CFStringFromUTF8(caption);
  CFStringRef yes = nullptr, no = nullptr, cancel = nullptr;
  CFStringRef defaultTitle = nullptr, alternateTitle = nullptr, otherTitle = nullptr;
  if (type == 4 || type == 3) {
    defaultTitle = yes = CFStringFromUTF8("Yes");
    alternateTitle = no = CFStringFromUTF8("No");
    if (type == 3) otherTitle = cancel = CFStringFromUTF8("Cancel");
  } else if (type == 1) {
    alternateTitle = cancel = CFStringFromUTF8("Cancel");
  }
  CFOptionFlags response = kCFUserNotificationCancelResponse;
  CFUserNotificationDisplayAlert(0, 1, nullptr, nullptr, nullptr, header, message, defaultTitle, alternateTitle,
                                 otherTitle, &response);
  for (CFStringRef s : {message, header, yes, no, cancel}) {
    if (s) CFRelease(s);
  }
  switch (response) {
    case kCFUserNotificationDefaultResponse: return 1;
    case kCFUserNotificationAlternateResponse: return 7;
    case kCFUserNotificationOtherResponse: return 2;
    default: return 0;
  }
}

IPopupMenu* IGraphicsMac::CreateIPopupMenu(IPopupMenu* menu, IRECT* areaRect) {
  ReleaseMouseCapture();
  if (!menu || !areaRect) return nullptr;
  if (mGraphicsCarbon) return mGraphicsCarbon->CreateIPopupMenu(menu, areaRect);
  if (mGraphicsCocoa) return mGraphicsCocoa->createIPopupMenu(menu, ToViewRect(areaRect, mHeight));
  return nullptr;
}

void IGraphicsMac::CreateTextEntry(IControl* control, IText* text, IRECT* textRect, const char* str, IParam* param) {
  if (!textRect) return;
  if (mGraphicsCarbon) {
    mGraphicsCarbon->CreateTextEntry(control, text, textRect, str, param);
  } else if (mGraphicsCocoa) {
    mGraphicsCocoa->createTextEntry(control, param, text, str, ToViewRect(textRect, mHeight));
  }
}

void IGraphicsMac::HostPath(WDL_String* path) {
  CFBundleRef host = CFBundleGetMainBundle();
  std::string executable = NSBundleExecutablePath(host);
  if (executable.empty()) {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n > 0) executable.assign(self, static_cast<size_t>(n));
  }
  if (!executable.empty()) path->Set(executable.c_str());
}

void IGraphicsMac::PluginPath(WDL_String* path) {
  const std::string location = NSBundleBundlePath(NSBundleWithIdentifier(mBundleID.Get()));
  if (location.empty()) return;
  const size_t slash = location.find_last_of('/');
  path->Set((slash == std::string::npos ? std::string() : location.substr(0, slash)).append("/").c_str());
}

void IGraphicsMac::DesktopPath(WDL_String* path) {
  const std::string home = HomeFolder();
  path->Set(home.empty() ? "" : (home + "/Desktop/").c_str());
}

void IGraphicsMac::PromptForFile(WDL_String* fileName, EFileAction action, WDL_String* dir,
                                 const char* extensions) {
  if (!fileName || !dir) return;
  if (!WindowIsOpen()) {
    fileName->Set("");
    return;
  }
  const std::string defaultName = fileName->Get();
  if (!dir->GetLength()) dir->Set("~/Desktop");
  const std::string defaultDir = dir->Get();
  fileName->Set("");
  const std::vector<std::string> types = SplitAtBlanks(extensions ? extensions : "");
  std::string chosen;
  if (action == kFileSave) {
    NSSavePanel* panel = NSSavePanel::savePanel();
    panel->setAllowedFileTypes(types);
    panel->setAllowsOtherFileTypes(false);
    if (panel->runModalForDirectory(defaultDir, defaultName) == NSOKButton) chosen = panel->filename();
    delete panel;
  } else {
    NSOpenPanel* panel = NSOpenPanel::openPanel();
    panel->setCanChooseFiles(true);
    panel->setCanChooseDirectories(false);
    panel->setResolvesAliases(true);
    if (panel->runModalForDirectory(defaultDir, defaultName, types) == NSOKButton) chosen = panel->filename();
    delete panel;
  }
  if (chosen.empty()) return;
  fileName->Set(chosen.c_str());
  const size_t slash = chosen.find_last_of('/');
  dir->Set((slash == std::string::npos ? std::string() : chosen.substr(0, slash)).append("/").c_str());
}

bool IGraphicsMac::PromptForColor(IColor*, const char*) { return false; }

bool IGraphicsMac::OpenURL(const char* url, const char*, const char*, const char*) {
  if (!url) return false;
  const std::unique_ptr<NSURL> address = std::strstr(url, "http") ? NSURLWithString(url) : NSURLFileURLWithPath(url);
  // An address that cannot be made was not opened.
  if (!address) return false;
  return NSWorkspaceOpenURL(address.get());
}

void* IGraphicsMac::OpenWindow(void* parentView) { return OpenCocoaWindow(parentView); }

void* IGraphicsMac::OpenWindow(void* window, void* control, short leftOffset, short topOffset) {
  return OpenCarbonWindow(window, control, leftOffset, topOffset);
}

void* IGraphicsMac::OpenCocoaWindow(void* parentView) {
  CloseWindow();
  mGraphicsCocoa = new IGraphicsCocoa_vThudrokka_au(this);
  if (parentView) static_cast<NSView*>(parentView)->addSubview(mGraphicsCocoa);
  return mGraphicsCocoa;
}

void* IGraphicsMac::OpenCarbonWindow(void* window, void* control, short leftOffset, short topOffset) {
  CloseWindow();
  // Without a window there is nothing to put the pane in.
  if (!window) return nullptr;
  mGraphicsCarbon = new IGraphicsCarbon(this, static_cast<WindowRef>(window), static_cast<ControlRef>(control),
                                        leftOffset, topOffset);
  return mGraphicsCarbon->GetView();
}

void IGraphicsMac::AttachSubWindow(void* hostWindowRef) {
  // The windows of an earlier attachment would be left behind.
  RemoveSubWindow();
  NSWindow* host = new NSWindow(static_cast<WindowRef>(hostWindowRef));
  host->setCanHide(true);
  host->setReleasedWhenClosed(true);
  const NSRect frame = host->frame();
  double offset = 0.0;
  if (frame.size.width > mWidth) offset = std::floor((frame.size.width - mWidth) * 0.5);
  NSWindow* child = new CustomCocoaWindow_vThudrokka_au(
      NSMakeRect(frame.origin.x + offset, frame.origin.y, mWidth, mHeight), NSBorderlessWindowMask,
      NSBackingStoreBuffered, false);
  child->setOpaque(true);
  child->setCanHide(true);
  child->setHasShadow(false);
  child->setReleasedWhenClosed(true);
  OpenWindow(child->contentView());
  host->addChildWindow(child);
  host->orderFront();
  host->display();
  standin::PerformSelectorAfterDelay(child, &NSWindow::orderFront, 0.05);
  mHostNSWindow = host;
}

void IGraphicsMac::RemoveSubWindow() {
  NSWindow* host = mHostNSWindow;
  if (!host) return;
  NSWindow* child = host->childWindows().empty() ? nullptr : host->childWindows().front();
  CloseWindow();
  if (child) {
    // Removed before it came to the front, it stays away.
    standin::CancelPreviousPerformRequests(child);
    child->orderOut();
    host->orderOut();
    host->removeChildWindow(child);
    child->close();
  }
  mHostNSWindow = nullptr;
  host->close();
}

void IGraphicsMac::CloseWindow() {
  if (IGraphicsCarbon* carbon = mGraphicsCarbon) {
    mGraphicsCarbon = nullptr;
    delete carbon;
    return;
  }
  IGraphicsCocoa_vThudrokka_au* view = mGraphicsCocoa;
  if (!view) return;
  view->killTimer();
  mGraphicsCocoa = nullptr;
  if (view->mGraphics == this) {
    view->mGraphics = nullptr;
    view->removeFromSuperview();
  }
}

void* IGraphicsMac::GetWindow() { return mGraphicsCocoa; }

void IGraphicsMac::HideMouseCursor() {
  if (mCursorHidden) return;
  if (CGDisplayHideCursor(CGMainDisplayID()) == kCGErrorSuccess) mCursorHidden = true;
  const CGPoint p = NSEventMouseLocation();
  mHiddenMousePointX = static_cast<int>(p.x);
  mHiddenMousePointY = static_cast<int>(static_cast<double>(CGDisplayPixelsHigh(CGMainDisplayID())) - p.y);
}

void IGraphicsMac::ShowMouseCursor() {
  if (!mCursorHidden) return;
  CGDisplayMoveCursorToPoint(CGMainDisplayID(), CGPoint{static_cast<double>(mHiddenMousePointX),
                                                        static_cast<double>(mHiddenMousePointY)});
  if (CGDisplayShowCursor(CGMainDisplayID()) == kCGErrorSuccess) mCursorHidden = false;
}

LICE_IBitmap* IGraphicsMac::OSLoadBitmap(int, const char* name) {
  std::string file;
  LICE_IBitmap* bitmap = LoadImgFromResourceOSX(mBundleID.Get(), name, &file);
  if (!file.empty()) mImageFilesRead.push_back(file);
  return bitmap;
}

int IGraphicsMac::GetUserOSVersion() {
  SInt32 version = 0;
  return Gestalt(FourCC("sysv"), &version) == noErr ? version : 0;
}

LICE_IBitmap* LoadImgFromResourceOSX(const char* bundleID, const char* name, std::string* file) {
  if (!name) return nullptr;
  const char* dot = std::strrchr(name, '.');
  if (!EqualsIgnoringCase(dot ? dot + 1 : name, "png")) return nullptr;
  CFBundleRef bundle = NSBundleWithIdentifier(bundleID);
  const std::string resource = BaseName(name);
  if (!bundle || resource.empty()) return nullptr;
  const std::string path = NSBundlePathForResource(bundle, resource.c_str(), "png");
  if (path.empty()) return nullptr;
  if (file) *file = path;
  return LICE_LoadPNG(path.c_str(), nullptr);
}
