#pragma once

#include "framework/WDL_PtrList.h"
#include "framework/WDL_String.h"

class IPopupMenu;

class IPopupMenuItem {
 public:
  enum Flags { kNoFlags = 0, kDisabled = 1, kTitle = 2, kChecked = 4, kSeparator = 8 };

  explicit IPopupMenuItem(const char* text, int flags = kNoFlags) : mText(text), mFlags(flags) {}
  // The submenu stays its creator's.
  IPopupMenuItem(const char* text, IPopupMenu* submenu) : mText(text), mSubmenu(submenu) {}

  const char* GetText() const { return mText.Get(); }
  IPopupMenu* GetSubmenu() const { return mSubmenu; }
  int GetFlags() const { return mFlags; }
  bool GetEnabled() const { return !(mFlags & kDisabled); }
  bool GetChecked() const { return (mFlags & kChecked) != 0; }
  bool GetIsTitle() const { return (mFlags & kTitle) != 0; }
  bool GetIsSeparator() const { return (mFlags & kSeparator) != 0; }
  void SetChecked(bool checked);

  WDL_String mText;
  IPopupMenu* mSubmenu = nullptr;
  int mFlags = kNoFlags;
};

// A menu tree that the editor fills and the platform shows natively. The
// platform stores the chosen item's index in the (sub)menu that holds it.
class IPopupMenu {
 public:
  IPopupMenu() = default;
  // Deletes the items, not their submenus.
  ~IPopupMenu();
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // index -1 appends; any other index inserts at min(index, count), and a
  // negative one at 0. An item the list cannot take is deleted, and the
  // forms that return the item then return null.
  void AddItem(IPopupMenuItem* item, int index = -1);
  IPopupMenuItem* AddItem(const char* text, int index = -1, int flags = IPopupMenuItem::kNoFlags);
  IPopupMenuItem* AddItem(const char* text, int index, IPopupMenu* submenu);
  IPopupMenuItem* AddItem(const char* text, IPopupMenu* submenu);
  IPopupMenuItem* AddSeparator(int index = -1);

  int GetNItems() const { return mMenuItems.GetSize(); }
  // Null outside 0..count-1.
  IPopupMenuItem* GetItem(int i) const { return mMenuItems.Get(i); }
  // i must name an item.
  const char* GetItemText(int i) const { return mMenuItems.Get(i)->GetText(); }
  // Modes 0 none, 1 "%1d: ", 2 "%02d: ", 3 "%03d: "; other values are ignored.
  void SetPrefix(int mode);
  int GetPrefix() const { return mPrefix; }
  bool CheckItem(int i, bool checked);
  void CheckItemAlone(int i);
  bool IsItemChecked(int i) const;
  int GetChosenItemIdx() const { return mChosenItemIdx; }
  void SetChosenItemIdx(int i) { mChosenItemIdx = i; }
  void SetMultiCheck(bool multicheck) { mCanMultiCheck = multicheck; }
  bool GetCanMultiCheck() const { return mCanMultiCheck; }

  int mPrefix = 0;
  int mChosenItemIdx = -1;
  bool mCanMultiCheck = false;
  WDL_PtrList<IPopupMenuItem> mMenuItems;

 private:
  IPopupMenuItem* Place(IPopupMenuItem* item, int index);
};
