#pragma once

#include <string>

#include "framework/IParam.h"

class IPopupMenu;

// What the Cocoa view and the Carbon host map alike.

// The editor's key code of a hardware key code and its character: space and
// the arrows by key code, digits and letters of either case by character;
// -1 for any other key.
int EditorKeyCode(unsigned keyCode, unsigned character);

// A pointer position of a view as editor coordinates, two pixels left and
// three up of it, each coordinate truncated first: y runs down from the
// view's top, or, with yUp, up from the bottom of a view height pixels tall.
// Huge values stop at the int limits; a position that is not finite gives
// false and leaves x and y as they were.
bool EditorMousePosition(double px, double py, bool yUp, int height, int* x, int* y);

// An item's text with the number the menu's prefix mode puts in front.
std::string PrefixedMenuTitle(const IPopupMenu* menu, int index, const char* text);

// The characters a text entry for a parameter of this kind may hold; none
// for a parameter without a kind.
const char* AcceptableCharacters(IParam::EParamType type);
