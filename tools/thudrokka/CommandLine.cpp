#include "tools/thudrokka/CommandLine.h"

#include <cstdio>

#include "tools/thudrokka/NumberText.h"

namespace {
const OptionSpec kHelpOption = {"--help", nullptr, nullptr, "show this help"};
}  // namespace

bool CommandLine::parse(int argc, char** argv, const std::vector<OptionSpec>& options) {
  mOptions = options;
  mOptions.push_back(kHelpOption);
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() < 2 || arg[0] != '-') {
      mPositional.push_back(arg);
      continue;
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& option : mOptions) {
      if (arg == option.name) spec = &option;
    }
    if (!spec) {
      mError = "unknown option '" + arg + "'";
      return false;
    }
    if (!spec->valueName) {
      mValues[arg] = "";
    } else if (i + 1 < argc) {
      mValues[arg] = argv[++i];
    } else {
      mError = "option " + arg + " needs a value";
      return false;
    }
  }
  return true;
}

std::string CommandLine::value(const std::string& name) const {
  const auto given = mValues.find(name);
  if (given != mValues.end()) return given->second;
  for (const OptionSpec& option : mOptions) {
    if (name == option.name && option.defaultValue) return option.defaultValue;
  }
  return "";
}

bool CommandLine::intValue(const std::string& name, int min, int max, int* out) {
  return parseWholeNumber(name, value(name), min, max, out, &mError);
}

bool CommandLine::doubleValue(const std::string& name, double min, double max, double* out) {
  return parseNumber(name, value(name), min, max, out, &mError);
}

bool CommandLine::choiceValue(const std::string& name, const std::vector<int>& choices, int* out) {
  const std::string text = value(name);
  std::string list;
  for (int choice : choices) {
    if (text == std::to_string(choice)) {
      *out = choice;
      return true;
    }
    list += (list.empty() ? "" : " or ") + std::to_string(choice);
  }
  mError = name + " takes " + list + ", not '" + text + "'";
  return false;
}

void printUsage(const char* synopsis, const char* summary, const std::vector<OptionSpec>& options) {
  std::printf("usage: thudrokka %s\n\n%s\n", synopsis, summary);
  if (options.empty()) return;
  std::printf("\noptions:\n");
  for (const OptionSpec& option : options) {
    std::string left = option.name;
    if (option.valueName) left += std::string(" ") + option.valueName;
    std::printf("  %-18s %s", left.c_str(), option.help);
    if (option.defaultValue) std::printf(" (default %s)", option.defaultValue);
    std::printf("\n");
  }
  std::printf("  %-18s %s\n", kHelpOption.name, kHelpOption.help);
}
