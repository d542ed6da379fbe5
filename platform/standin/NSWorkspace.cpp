#include "platform/standin/NSWorkspace.h"

#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/standin/UserScript.h"

std::unique_ptr<NSURL> NSURLWithString(const char* text) {
  if (!text || !*text) return nullptr;
  for (const char* c = text; *c; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (u <= 0x20 || u >= 0x7F || std::strchr("\"<>\\^`{|}", u)) return nullptr;
  }
  return std::unique_ptr<NSURL>(new NSURL{text});
}

std::unique_ptr<NSURL> NSURLFileURLWithPath(const char* path) {
  if (!path || !*path) return nullptr;
  std::string absolute = path;
  if (absolute[0] != '/') {
    char cwd[PATH_MAX];
    absolute = std::string(getcwd(cwd, sizeof(cwd)) ? cwd : "") + "/" + absolute;
  }
  return std::unique_ptr<NSURL>(new NSURL{"file://" + absolute});
}

bool NSWorkspaceOpenURL(const NSURL* url) {
  if (!url) return false;
  bool opened = false;
  standin::TakeOpenURLAnswer(&opened);
  standin::RecordPrompt({standin::PromptRecord::kOpenURL, url->absoluteString, "", {}, opened ? "opened" : ""});
  return opened;
}
