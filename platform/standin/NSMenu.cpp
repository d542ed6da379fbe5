#include "platform/standin/NSMenu.h"

#include <algorithm>

#include "platform/standin/UserScript.h"

NSMenu::~NSMenu() {
  for (NSMenuItem* item : mItems) {
    if (item->mSubmenu) item->mSubmenu->release();
    delete item;
  }
}

NSMenuItem* NSMenu::addItemWithTitle(const std::string& title, bool hasAction) {
  NSMenuItem* item = new NSMenuItem();
  item->mTitle = title;
  item->mHasAction = hasAction;
  item->mMenu = this;
  mItems.push_back(item);
  return item;
}

NSMenuItem* NSMenu::insertItemWithTitle(const std::string& title, bool hasAction, int index) {
  NSMenuItem* item = addItemWithTitle(title, hasAction);
  mItems.pop_back();
  index = std::max(0, std::min(index, numberOfItems()));
  mItems.insert(mItems.begin() + index, item);
  return item;
}

NSMenuItem* NSMenu::insertSeparatorItem(int index) {
  NSMenuItem* item = insertItemWithTitle("", false, index);
  item->mSeparator = true;
  return item;
}

NSMenuItem* NSMenu::addSeparatorItem() {
  NSMenuItem* item = addItemWithTitle("", false);
  item->mSeparator = true;
  return item;
}

void NSMenu::setSubmenu(NSMenu* submenu, NSMenuItem* item) {
  if (!item || item->mMenu != this || item->mSubmenu == submenu) return;
  if (submenu) submenu->retain();
  if (item->mSubmenu) item->mSubmenu->release();
  item->mSubmenu = submenu;
}

NSMenuItem* NSMenu::itemAtIndex(int index) const {
  return index >= 0 && index < numberOfItems() ? mItems[static_cast<size_t>(index)] : nullptr;
}

int NSMenu::indexOfItem(const NSMenuItem* item) const {
  for (int i = 0; i < numberOfItems(); ++i) {
    if (mItems[static_cast<size_t>(i)] == item) return i;
  }
  return -1;
}

void NSMenu::describe(std::vector<std::string>* lines, const std::string& path) const {
  for (const NSMenuItem* item : mItems) {
    if (item->mSeparator) {
      lines->push_back(path + "-");
      continue;
    }
    std::string line = path + std::string(2 * static_cast<size_t>(item->mIndentation), ' ') + item->mTitle;
    if (item->mState == 1) line += " [x]";
    if (!item->mEnabled) line += " [disabled]";
    lines->push_back(line);
    if (item->mSubmenu) item->mSubmenu->describe(lines, path + item->mTitle + " > ");
  }
}

NSMenuItem* NSMenu::popUpContextMenu(NSMenu* menu, NSEvent* event, NSView*) {
  if (!menu) return nullptr;
  const NSPoint at = event ? event->locationInWindow() : NSPoint{0.0, 0.0};
  return menu->trackAt(at.x, at.y);
}

NSMenuItem* NSMenu::trackAt(double x, double y) {
  standin::PromptRecord record{standin::PromptRecord::kMenu, mTitle, "", {}, "", x, y};
  describe(&record.choices);
  standin::MenuAnswer answer;
  NSMenuItem* chosen = nullptr;
  std::vector<std::string> clicked;
  if (standin::TakeMenuAnswer(&answer)) {
    const bool byPosition = answer.titles.empty();
    const size_t steps = byPosition ? answer.positions.size() : answer.titles.size();
    NSMenu* current = this;
    for (size_t i = 0; current && i < steps; ++i) {
      NSMenuItem* hit = nullptr;
      if (byPosition) {
        hit = current->itemAtIndex(answer.positions[i]);
      } else {
        for (NSMenuItem* item : current->mItems) {
          if (!item->mSeparator && item->mEnabled && item->mTitle == answer.titles[i]) {
            hit = item;
            break;
          }
        }
      }
      if (hit && (hit->mSeparator || !hit->mEnabled)) hit = nullptr;
      const bool last = i + 1 == steps;
      if (!hit || (last && (!hit->mHasAction || hit->mSubmenu)) || (!last && !hit->mSubmenu)) break;
      clicked.push_back(hit->mTitle);
      if (last) chosen = hit;
      current = hit->mSubmenu;
    }
  }
  if (chosen) {
    for (size_t i = 0; i < clicked.size(); ++i) record.answer += (i ? " > " : "") + clicked[i];
  }
  standin::RecordPrompt(record);
  return chosen;
}
