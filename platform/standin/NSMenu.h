// Stands in for AppKit menus (NSMenu, NSMenuItem) on Linux: a context menu pops up for the person of the user script.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/NSEvent.h"
#include "platform/standin/NSObject.h"

class NSMenu;
class NSView;

class NSMenuItem {
 public:
  const std::string& title() const { return mTitle; }
  bool isSeparatorItem() const { return mSeparator; }
  // 1 shows a check mark.
  void setState(int state) { mState = state; }
  int state() const { return mState; }
  void setEnabled(bool enabled) { mEnabled = enabled; }
  bool isEnabled() const { return mEnabled; }
  void setIndentationLevel(int level) { mIndentation = level; }
  int indentationLevel() const { return mIndentation; }
  // Items without an action cannot be chosen (a submenu's own item, a
  // section header).
  bool hasAction() const { return mHasAction; }
  void setHasAction(bool hasAction) { mHasAction = hasAction; }
  NSMenu* submenu() const { return mSubmenu; }
  // The menu that holds the item.
  NSMenu* menu() const { return mMenu; }

 private:
  friend class NSMenu;
  std::string mTitle;
  bool mSeparator = false;
  int mState = 0;
  bool mEnabled = true;
  int mIndentation = 0;
  bool mHasAction = false;
  NSMenu* mSubmenu = nullptr;
  NSMenu* mMenu = nullptr;
};

// A menu owns its items and holds a reference to each submenu.
class NSMenu : public NSObject {
 public:
  explicit NSMenu(const std::string& title = "") : mTitle(title) {}
  ~NSMenu() override;

  NSMenuItem* addItemWithTitle(const std::string& title, bool hasAction);
  NSMenuItem* addSeparatorItem();
  // Inserted before the item at index (clamped to the menu).
  NSMenuItem* insertItemWithTitle(const std::string& title, bool hasAction, int index);
  NSMenuItem* insertSeparatorItem(int index);
  // The menu retains the submenu and releases the one it replaces; an item
  // of another menu takes nothing.
  void setSubmenu(NSMenu* submenu, NSMenuItem* item);
  void setAutoenablesItems(bool autoenables) { mAutoenables = autoenables; }
  int numberOfItems() const { return static_cast<int>(mItems.size()); }
  NSMenuItem* itemAtIndex(int index) const;
  // -1 when the item is not in this menu.
  int indexOfItem(const NSMenuItem* item) const;
  // The menu lines as the user script records them.
  void describe(std::vector<std::string>* lines, const std::string& path = "") const;

  // Shows the menu at the event's location over the view until the person
  // chooses or dismisses it; the chosen item (in the menu or a submenu), or
  // null.
  static NSMenuItem* popUpContextMenu(NSMenu* menu, NSEvent* event, NSView* view);
  // Shows the menu at (x, y), as the record says where it opened. The person
  // clicks the items of the next menu answer, by title or by position: each
  // must name an enabled item, the last one an item with an action and no
  // submenu.
  NSMenuItem* trackAt(double x, double y);

 private:
  std::string mTitle;
  bool mAutoenables = true;
  std::vector<NSMenuItem*> mItems;
};
