// Stands in for the Carbon Menu Manager (Menus) on Linux: a Carbon menu is a menu of the AppKit stand-in with an id, reference constants and a reference count; a pop-up selection answers (menu id << 16) | item for the item the person of the user script clicks, 0 when the menu is dismissed.
#pragma once

#include <cstdint>
#include <map>

#include "platform/standin/CFString.h"
#include "platform/standin/NSMenu.h"

typedef SInt16 MenuID;
typedef UInt16 MenuItemIndex;
typedef UInt32 MenuAttributes;
typedef UInt32 MenuItemAttributes;
typedef UInt32 MenuCommand;
typedef uintptr_t URefCon;
typedef OSType ResType;

enum : MenuItemAttributes {
  kMenuItemAttrDisabled = 1,
  kMenuItemAttrSeparator = 64,
  kMenuItemAttrSectionHeader = 128,
  kMenuItemAttrIgnoreMeta = 256,
};
enum : MenuID { kInsertHierarchicalMenu = -1 };

constexpr OSStatus menuItemNotFoundErr = -5620;

// Item 0 stands for the menu itself (its reference constant). Header items
// are indented and cannot be chosen.
struct OpaqueMenuRef : public NSMenu {
  OpaqueMenuRef(MenuID menuID, MenuAttributes menuAttributes) : id(menuID), attributes(menuAttributes) {}
  ~OpaqueMenuRef() override;

  MenuID id;
  MenuAttributes attributes;
  URefCon refCon = 0;
  std::map<const NSMenuItem*, URefCon> itemRefCons;
  std::map<const NSMenuItem*, MenuItemAttributes> itemAttributes;
};
typedef OpaqueMenuRef* MenuRef;

// A menu id no live menu has.
SInt16 UniqueID(ResType type);
OSStatus CreateNewMenu(MenuID id, MenuAttributes attributes, MenuRef* outMenu);
void RetainMenu(MenuRef menu);
// The last release frees the menu and takes it out of the menu list.
void ReleaseMenu(MenuRef menu);
OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef text, MenuItemAttributes attributes,
                                        MenuCommand command, MenuItemIndex* outIndex);
// After the 1-based item afterItem, 0 putting it first.
OSStatus InsertMenuItemTextWithCFString(MenuRef menu, CFStringRef text, MenuItemIndex afterItem,
                                        MenuItemAttributes attributes, MenuCommand command);
void CheckMenuItem(MenuRef menu, MenuItemIndex item, Boolean checked);
// The menu holds a reference to the submenu.
OSStatus SetMenuItemHierarchicalMenu(MenuRef menu, MenuItemIndex item, MenuRef submenu);
OSStatus SetMenuItemRefCon(MenuRef menu, MenuItemIndex item, URefCon refCon);
OSStatus GetMenuItemRefCon(MenuRef menu, MenuItemIndex item, URefCon* outRefCon);
// Puts the menu in the menu list, where GetMenuHandle finds it by id; the
// list holds no reference.
void InsertMenu(MenuRef menu, MenuID beforeID);
MenuRef GetMenuHandle(MenuID id);
// Opens the menu with its top-left corner at the global point (left, top).
SInt32 PopUpMenuSelect(MenuRef menu, short top, short left, MenuItemIndex popUpItem);
