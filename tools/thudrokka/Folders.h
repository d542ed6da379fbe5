#pragma once

#include <string>

// Makes the folder and the missing folders on its way; one that is there
// will do. False, with "cannot make folder '...': reason" in error, when a
// step fails, or "'...' is not a folder" when a file has the folder's name.
bool makeFolder(const std::string& path, std::string* error);
