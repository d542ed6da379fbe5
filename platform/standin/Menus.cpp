#include "platform/standin/Menus.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<MenuRef>& LiveMenus() {
  static std::vector<MenuRef> menus;
  return menus;
}

std::vector<MenuRef>& MenuList() {
  static std::vector<MenuRef> menus;
  return menus;
}

bool Erase(std::vector<MenuRef>* list, MenuRef menu) {
  auto it = std::find(list->begin(), list->end(), menu);
  if (it == list->end()) return false;
  list->erase(it);
  return true;
}

// The 1-based item, or null.
NSMenuItem* Item(MenuRef menu, MenuItemIndex item) { return menu ? menu->itemAtIndex(item - 1) : nullptr; }

void ApplyAttributes(MenuRef menu, NSMenuItem* item, MenuItemAttributes attributes) {
  menu->itemAttributes[item] = attributes;
  item->setEnabled(!(attributes & kMenuItemAttrDisabled));
  if (attributes & kMenuItemAttrSectionHeader) {
    item->setIndentationLevel(1);
    item->setHasAction(false);
  }
}

}  // namespace

OpaqueMenuRef::~OpaqueMenuRef() {
  Erase(&LiveMenus(), this);
  Erase(&MenuList(), this);
}

SInt16 UniqueID(ResType) {
  static SInt16 next = 1000;
  for (;;) {
    const SInt16 id = next;
    next = next >= 32000 ? 1000 : static_cast<SInt16>(next + 1);
    if (std::none_of(LiveMenus().begin(), LiveMenus().end(), [id](MenuRef m) { return m->id == id; })) return id;
  }
}

OSStatus CreateNewMenu(MenuID id, MenuAttributes attributes, MenuRef* outMenu) {
  if (!outMenu) return paramErr;
  *outMenu = new OpaqueMenuRef(id, attributes);
  LiveMenus().push_back(*outMenu);
  return noErr;
}

void RetainMenu(MenuRef menu) {
  if (menu) menu->retain();
}

void ReleaseMenu(MenuRef menu) {
  if (menu) menu->release();
}

OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef text, MenuItemAttributes attributes, MenuCommand,
                                        MenuItemIndex* outIndex) {
  if (!menu) return paramErr;
  NSMenuItem* item = (attributes & kMenuItemAttrSeparator) ? menu->addSeparatorItem()
                                                           : menu->addItemWithTitle(standin::CFStringText(text), true);
  ApplyAttributes(menu, item, attributes);
  if (outIndex) *outIndex = static_cast<MenuItemIndex>(menu->numberOfItems());
  return noErr;
}

OSStatus InsertMenuItemTextWithCFString(MenuRef menu, CFStringRef text, MenuItemIndex afterItem,
                                        MenuItemAttributes attributes, MenuCommand) {
  if (!menu) return paramErr;
  NSMenuItem* item = (attributes & kMenuItemAttrSeparator)
                         ? menu->insertSeparatorItem(afterItem)
                         : menu->insertItemWithTitle(standin::CFStringText(text), true, afterItem);
  ApplyAttributes(menu, item, attributes);
  return noErr;
}

void CheckMenuItem(MenuRef menu, MenuItemIndex item, Boolean checked) {
  if (NSMenuItem* it = Item(menu, item)) it->setState(checked ? 1 : 0);
}

OSStatus SetMenuItemHierarchicalMenu(MenuRef menu, MenuItemIndex item, MenuRef submenu) {
  NSMenuItem* it = Item(menu, item);
  if (!it) return menuItemNotFoundErr;
  menu->setSubmenu(submenu, it);
  return noErr;
}

OSStatus SetMenuItemRefCon(MenuRef menu, MenuItemIndex item, URefCon refCon) {
  if (!menu) return paramErr;
  if (item == 0) {
    menu->refCon = refCon;
    return noErr;
  }
  NSMenuItem* it = Item(menu, item);
  if (!it) return menuItemNotFoundErr;
  menu->itemRefCons[it] = refCon;
  return noErr;
}

OSStatus GetMenuItemRefCon(MenuRef menu, MenuItemIndex item, URefCon* outRefCon) {
  if (!menu || !outRefCon) return paramErr;
  if (item == 0) {
    *outRefCon = menu->refCon;
    return noErr;
  }
  NSMenuItem* it = Item(menu, item);
  if (!it) return menuItemNotFoundErr;
  auto found = menu->itemRefCons.find(it);
  *outRefCon = found == menu->itemRefCons.end() ? 0 : found->second;
  return noErr;
}

void InsertMenu(MenuRef menu, MenuID) {
  if (menu && std::find(MenuList().begin(), MenuList().end(), menu) == MenuList().end()) MenuList().push_back(menu);
}

MenuRef GetMenuHandle(MenuID id) {
  for (MenuRef menu : MenuList()) {
    if (menu->id == id) return menu;
  }
  return nullptr;
}

SInt32 PopUpMenuSelect(MenuRef menu, short top, short left, MenuItemIndex) {
  if (!menu) return 0;
  NSMenuItem* chosen = menu->trackAt(left, top);
  auto* holder = chosen ? dynamic_cast<MenuRef>(chosen->menu()) : nullptr;
  if (!holder) return 0;
  const int index = holder->indexOfItem(chosen);
  return (static_cast<SInt32>(static_cast<UInt16>(holder->id)) << 16) | static_cast<SInt32>(index + 1);
}
