#pragma once

#include <string>
#include <vector>

class IGraphics;
class Thudrokka;

// One line per control of the editor, in attach order, fields separated by
// tabs: its index; its class; its rectangle "L T R B"; its parameter (-1
// none); its value ("%.6f", normalised); the text it shows (texts and the
// preset display; printable, so a line break shows as '?'); the tab that
// lists it ("synth", "about" or "none"); "hidden" or "shown".
std::string controlDumpText(IGraphics& editor, const std::vector<int>& synthTab, const std::vector<int>& aboutTab);

// The instrument's editor's list into a file, whole or not at all; false,
// with error set, when the file cannot be written or there is no editor.
bool writeControlDump(const std::string& path, Thudrokka& instrument, std::string* error);
