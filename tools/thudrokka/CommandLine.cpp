#include "tools/thudrokka/CommandLine.h"

#include <algorithm>
#include <cstdio>

#include "tools/thudrokka/NumberText.h"
#include "tools/thudrokka/PrintableText.h"

namespace {
const OptionSpec kHelpOption = {"--help", nullptr, nullptr, "show this help"};
// What every command takes for --help too.
const std::string kShortHelp = "-h";
}  // namespace

bool CommandLine::parse(int argc, char** argv, const std::vector<OptionSpec>& options) {
  mOptions = options;
  mOptions.push_back(kHelpOption);
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i] == kShortHelp ? kHelpOption.name : argv[i];
    if (arg.size() < 2 || arg[0] != '-') {
      mPositional.push_back(arg);
      continue;
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& option : mOptions) {
      if (arg == option.name) spec = &option;
    }
    if (!spec) {
      mError = "unknown option '" + printableText(arg) + "'";
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
  std::string list, unused;
  int number = 0;
  const bool whole = parseWholeNumber(name, text, *std::min_element(choices.begin(), choices.end()),
                                      *std::max_element(choices.begin(), choices.end()), &number, &unused);
  for (int choice : choices) {
    if (whole && number == choice) {
      *out = choice;
      return true;
    }
    list += (list.empty() ? "" : " or ") + std::to_string(choice);
  }
  mError = name + " takes " + list + ", not '" + printableText(text) + "'";
  return false;
}

void printUsage(const char* synopsis, const char* summary, const std::vector<OptionSpec>& options) {
  std::printf("usage: thudrokka %s\n\n%s\n\noptions:\n", synopsis, summary);
  for (const OptionSpec& option : options) {
    std::string left = option.name;
    if (option.valueName) left += std::string(" ") + option.valueName;
    std::printf("  %-18s %s", left.c_str(), option.help);
    if (option.defaultValue) std::printf(" (default %s)", option.defaultValue);
    std::printf("\n");
  }
  std::printf("  %-18s %s\n", (kShortHelp + ", " + kHelpOption.name).c_str(), kHelpOption.help);
}
