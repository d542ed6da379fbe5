#pragma once

#include <string>

// Text from a file or a preset, made safe to print on a terminal: control
// characters (C0, DEL and C1, tab and line ends included), format characters
// (bidirectional controls, zero-width characters, the byte-order mark and
// the rest of Unicode's Cf), the line and paragraph separators, and bytes
// that are not UTF-8 each become '?'. So a name can neither send escape
// sequences, nor show its text in another order than it holds, nor break
// the tab-separated listings.
std::string printableText(const std::string& text);
