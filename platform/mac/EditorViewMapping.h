#pragma once

#include <string>

#include "framework/IParam.h"

class IPopupMenu;

// What the Cocoa view and the Carbon host map alike.

// The editor's key code of a hardware key code and its character: space and
// the arrows by key code, digits and letters of either case by character;
// -1 for any other key.
int EditorKeyCode(unsigned keyCode, unsigned character);

// An item's text with the number the menu's prefix mode puts in front.
std::string PrefixedMenuTitle(const IPopupMenu* menu, int index, const char* text);

// The characters a text entry for a parameter of this kind may hold; none
// for a parameter without a kind.
const char* AcceptableCharacters(IParam::EParamType type);
