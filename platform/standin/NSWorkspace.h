// Stands in for AppKit's URL opening (NSURL, NSWorkspace openURL:) on Linux: the user script says whether the browser opens an address.
#pragma once

#include <memory>
#include <string>

struct NSURL {
  std::string absoluteString;
};

// Null for an empty text or one with characters an address cannot hold.
std::unique_ptr<NSURL> NSURLWithString(const char* text);
// Null for an empty path; a relative path is taken from the working folder.
std::unique_ptr<NSURL> NSURLFileURLWithPath(const char* path);
// Recorded; true when the user script lets the address open.
bool NSWorkspaceOpenURL(const NSURL* url);
