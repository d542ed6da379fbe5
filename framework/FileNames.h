#pragma once

#include <string>

// What a file name given by a user stands for, before anything is opened.
namespace FileNames {

// The descriptor of this process that path names: /dev/stdin, /dev/stdout
// and /dev/stderr, /dev/fd/N, /proc/self/fd/N, or a link that leads to one of
// them; -1 for any other path. Opening such a path would open the file
// behind the descriptor afresh, at its start; the descriptor itself is what
// the user meant.
int namedDescriptor(const std::string& path);

// The path that a chain of links ends in, made yet or not: path itself when
// it is no link. 0, or the errno of what stopped the chain being followed.
int followLinks(std::string* path);

// Whether a and b name one regular file, however each is spelled: a link,
// another hard link, a descriptor's name. False when either names no
// regular file, or nothing.
bool sameFile(const std::string& a, const std::string& b);

// The folder part of path with its trailing '/', or "" for a bare name.
std::string folderOf(const std::string& path);

}  // namespace FileNames
