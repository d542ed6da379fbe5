#include "graphics/IPopupMenu.h"

void IPopupMenuItem::SetChecked(bool checked) {
  if (checked) {
    mFlags |= kChecked;
  } else {
    mFlags &= ~kChecked;
  }
}

IPopupMenu::~IPopupMenu() { mMenuItems.Empty(true); }

IPopupMenuItem* IPopupMenu::Place(IPopupMenuItem* item, int index) {
  IPopupMenuItem* placed = index == -1 ? mMenuItems.Add(item) : mMenuItems.Insert(index, item);
  if (!placed) delete item;
  return placed;
}

void IPopupMenu::AddItem(IPopupMenuItem* item, int index) { Place(item, index); }

IPopupMenuItem* IPopupMenu::AddItem(const char* text, int index, int flags) {
  return Place(new IPopupMenuItem(text, flags), index);
}

IPopupMenuItem* IPopupMenu::AddItem(const char* text, int index, IPopupMenu* submenu) {
  return Place(new IPopupMenuItem(text, submenu), index);
}

IPopupMenuItem* IPopupMenu::AddItem(const char* text, IPopupMenu* submenu) { return AddItem(text, -1, submenu); }

IPopupMenuItem* IPopupMenu::AddSeparator(int index) {
  return Place(new IPopupMenuItem("", IPopupMenuItem::kSeparator), index);
}

void IPopupMenu::SetPrefix(int mode) {
  if (mode >= 0 && mode <= 3) mPrefix = mode;
}

bool IPopupMenu::CheckItem(int i, bool checked) {
  IPopupMenuItem* item = GetItem(i);
  if (!item) return false;
  item->SetChecked(checked);
  return true;
}

void IPopupMenu::CheckItemAlone(int i) {
  for (int k = 0; k < GetNItems(); ++k) GetItem(k)->SetChecked(k == i);
}

bool IPopupMenu::IsItemChecked(int i) const {
  const IPopupMenuItem* item = GetItem(i);
  return item && item->GetChecked();
}
