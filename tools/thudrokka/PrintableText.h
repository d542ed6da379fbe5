#pragma once

#include <string>

// Text from a file or a preset, made safe to print on a terminal: control
// characters (C0, DEL and C1, tab and line ends included) and bytes that are
// not UTF-8 each become '?', so a name can neither send escape sequences
// nor break the tab-separated listings.
std::string printableText(const std::string& text);
