#include <gtest/gtest.h>

#include <string>

#include "graphics/IPopupMenu.h"

namespace {

std::string Texts(const IPopupMenu& menu) {
  std::string out;
  for (int i = 0; i < menu.GetNItems(); ++i) out += std::string(i ? "|" : "") + menu.GetItemText(i);
  return out;
}

IPopupMenu* ThreeItems() {
  auto* menu = new IPopupMenu();
  menu->AddItem("a");
  menu->AddItem("b");
  menu->AddItem("c");
  return menu;
}

TEST(PopupMenu, InsertionPlacesItemsByTheIndexRules) {
  const struct {
    int index;
    const char* texts;
  } cases[] = {
      {-1, "a|b|c|x"}, {10, "a|b|c|x"}, {3, "a|b|c|x"}, {0, "x|a|b|c"}, {1, "a|x|b|c"}, {-2, "x|a|b|c"}, {-99, "x|a|b|c"},
  };
  for (const auto& c : cases) {
    IPopupMenu* menu = ThreeItems();
    menu->AddItem(new IPopupMenuItem("x"), c.index);
    EXPECT_EQ(Texts(*menu), c.texts) << c.index;
    delete menu;
  }
  IPopupMenu menu;
  IPopupMenuItem* sep = menu.AddSeparator(5);
  IPopupMenuItem* item = menu.AddItem("t", 0, IPopupMenuItem::kTitle | IPopupMenuItem::kDisabled);
  EXPECT_EQ(menu.GetItem(0), item);
  EXPECT_EQ(menu.GetItem(1), sep);
  EXPECT_TRUE(sep->GetIsSeparator());
  EXPECT_STREQ(menu.GetItemText(1), "");
  EXPECT_TRUE(item->GetIsTitle());
  EXPECT_FALSE(item->GetEnabled());
}

TEST(PopupMenu, PrefixAcceptsOnlyModesZeroToThree) {
  IPopupMenu menu;
  EXPECT_EQ(menu.GetPrefix(), 0);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  menu.SetPrefix(2);
  menu.SetPrefix(4);
  EXPECT_EQ(menu.GetPrefix(), 2);
  menu.SetPrefix(-1);
  EXPECT_EQ(menu.GetPrefix(), 2);
  menu.SetPrefix(3);
  EXPECT_EQ(menu.GetPrefix(), 3);
  menu.SetPrefix(0);
  EXPECT_EQ(menu.GetPrefix(), 0);
}

TEST(PopupMenu, ChecksAndIndicesOutsideTheList) {
  IPopupMenu menu;
  for (const char* t : {"0", "1", "2", "3", "4"}) menu.AddItem(t);
  menu.CheckItem(0, true);
  menu.CheckItem(4, true);
  menu.CheckItemAlone(2);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(menu.IsItemChecked(i), i == 2) << i;
  EXPECT_EQ(menu.GetItem(-1), nullptr);
  EXPECT_EQ(menu.GetItem(5), nullptr);
  EXPECT_FALSE(menu.CheckItem(5, true));
  EXPECT_FALSE(menu.CheckItem(-1, true));
  EXPECT_FALSE(menu.IsItemChecked(5));
  EXPECT_FALSE(menu.IsItemChecked(-1));
  EXPECT_TRUE(menu.CheckItem(2, false));
  EXPECT_FALSE(menu.IsItemChecked(2));
  menu.GetItem(3)->SetChecked(true);
  EXPECT_EQ(menu.GetItem(3)->GetFlags(), IPopupMenuItem::kChecked);
}

// A menu frees its items but leaves their submenus to whoever made them.
TEST(PopupMenu, SubmenusStayTheirCreators) {
  IPopupMenu submenu;
  submenu.AddItem("inner");
  {
    IPopupMenu menu;
    IPopupMenuItem* item = menu.AddItem("outer", &submenu);
    EXPECT_EQ(item->GetSubmenu(), &submenu);
    EXPECT_EQ(item->GetFlags(), IPopupMenuItem::kNoFlags);
    menu.AddItem("first", 0, &submenu);
    EXPECT_STREQ(menu.GetItemText(0), "first");
  }
  EXPECT_STREQ(submenu.GetItemText(0), "inner");
}

TEST(PopupMenu, ItemTextsAreCopies) {
  std::string text(300, 'q');
  IPopupMenu menu;
  menu.AddItem(text.c_str());
  text.assign(300, 'z');
  EXPECT_EQ(std::string(menu.GetItemText(0)), std::string(300, 'q'));
}

}  // namespace
