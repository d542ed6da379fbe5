#include "platform/mac/IGraphicsCocoa.h"

#include <cstdio>

#include "graphics/IPopupMenu.h"
#include "platform/mac/IGraphicsMac.h"

namespace {

// The number in front of an item's text, by the menu's prefix mode.
std::string PrefixedTitle(const IPopupMenu* model, int index, const char* text) {
  static const char* const kFormats[] = {"", "%1d: ", "%02d: ", "%03d: "};
  const int mode = model->mPrefix;
  char prefix[16] = "";
  if (mode > 0 && mode < 4) std::snprintf(prefix, sizeof(prefix), kFormats[mode], index + 1);
  return std::string(prefix) + text;
}

}  // namespace

IGraphicsCocoa_vThudrokka_au::IGraphicsCocoa_vThudrokka_au(IGraphicsMac* graphics)
    : NSView(NSMakeRect(0, 0, graphics->Width(), graphics->Height())), mGraphics(graphics) {
  const double interval = 1.0 / graphics->FPS();
  mTimer = standin::AddRunLoopTimer(interval, interval, TimerProc, this);
}

IGraphicsCocoa_vThudrokka_au::~IGraphicsCocoa_vThudrokka_au() {
  killTimer();
  // A host that frees the view without removing it first still closes the editor's window.
  if (IGraphicsMac* graphics = mGraphics) {
    mGraphics = nullptr;
    graphics->CloseWindow();
  }
}

void IGraphicsCocoa_vThudrokka_au::TimerProc(void* view) {
  auto* self = static_cast<IGraphicsCocoa_vThudrokka_au*>(view);
  self->onTimer(self->mTimer);
}

void IGraphicsCocoa_vThudrokka_au::onTimer(standin::RunLoopTimer* sender) {
  if (sender != mTimer || !mGraphics) return;
  IRECT r;
  if (!mGraphics->IsDirty(&r)) return;
  const int h = mGraphics->Height();
  setNeedsDisplayInRect(NSMakeRect(r.L, h - 1 - r.B, r.R - r.L + 1, r.B - r.T + 1));
}

void IGraphicsCocoa_vThudrokka_au::drawRect(NSRect rect) {
  if (!mGraphics) return;
  const int h = mGraphics->Height();
  const int x = static_cast<int>(rect.origin.x);
  const int y = static_cast<int>(rect.origin.y);
  IRECT r(x, h - (y + static_cast<int>(rect.size.height)), x + static_cast<int>(rect.size.width), h - y);
  mGraphics->Draw(&r);
}

void IGraphicsCocoa_vThudrokka_au::removeFromSuperview() {
  if (IGraphicsMac* graphics = mGraphics) {
    mGraphics = nullptr;
    graphics->CloseWindow();
  }
}

void IGraphicsCocoa_vThudrokka_au::killTimer() {
  standin::RemoveRunLoopTimer(mTimer);
  mTimer = nullptr;
}

IPopupMenu* IGraphicsCocoa_vThudrokka_au::createIPopupMenu(IPopupMenu* menu, NSRect area) {
  IGraphicsMenuRcvr_vThudrokka_au receiver(area);
  IGraphicsNSMenu_vThudrokka_au nativeMenu(menu, &receiver);
  if (NSMenuItem* item = NSMenu::popUpContextMenu(&nativeMenu, &receiver)) receiver.OnMenuSelection(item);
  NSMenuItem* item = receiver.MenuItem();
  NSMenu* holder = item ? item->menu() : nullptr;
  auto* native = dynamic_cast<IGraphicsNSMenu_vThudrokka_au*>(holder);
  IPopupMenu* model = native ? native->AssociatedIPopupMenu() : nullptr;
  const int index = holder ? holder->indexOfItem(item) : -1;
  if (index < 0 || !model) return nullptr;
  model->mChosenItemIdx = index;
  return model;
}

IGraphicsNSMenu_vThudrokka_au::IGraphicsNSMenu_vThudrokka_au(IPopupMenu* model, NSView* receiver)
    : NSMenu(""), mIPopupMenu(model) {
  setAutoenablesItems(false);
  for (int i = 0; i < model->GetNItems(); ++i) {
    const IPopupMenuItem* item = model->GetItem(i);
    const std::string title = PrefixedTitle(model, i, item->GetText());
    if (item->GetSubmenu()) {
      NSMenuItem* native = addItemWithTitle(title, false);
      setSubmenu(new IGraphicsNSMenu_vThudrokka_au(item->GetSubmenu(), receiver), native);
    } else if (item->GetIsSeparator()) {
      addSeparatorItem();
    } else {
      NSMenuItem* native = addItemWithTitle(title, true);
      if (item->GetIsTitle()) native->setIndentationLevel(1);
      native->setState(item->GetChecked() ? 1 : 0);
      native->setEnabled(item->GetEnabled());
    }
  }
}
