#include "tools/thudrokka/CommandLine.h"

#include <getopt.h>

#include <algorithm>
#include <cstdio>

#include "tools/thudrokka/NumberText.h"
#include "framework/PrintableText.h"

namespace {
const OptionSpec kHelpOption = {"--help", nullptr, nullptr, "show this help"};
// What every command takes for --help too.
const std::string kShortHelp = "-h";
// getopt_long's code of long option i; above every character.
constexpr int kLongOptionCode = 256;
// getopt_long's code of an operand, given in order.
constexpr int kOperandCode = 1;

bool isLong(const OptionSpec& option) { return option.name[1] == '-'; }

// The text before any "=VALUE" of a long option as typed.
std::string typedName(const std::string& argument) { return argument.substr(0, argument.find('=')); }
}  // namespace

bool CommandLine::parse(int argc, char** argv, const std::vector<OptionSpec>& options) {
  mOptions = options;
  mOptions.push_back(kHelpOption);
  // '-' first: each operand comes back in its place, so options and
  // operands mix in any order, whatever POSIXLY_CORRECT says; then ':': a
  // missing value is told apart from an unknown option.
  std::string shortOptions = "-:h";
  std::vector<option> longOptions;
  for (std::size_t i = 0; i < mOptions.size(); ++i) {
    const OptionSpec& spec = mOptions[i];
    const int hasValue = spec.valueName ? required_argument : no_argument;
    if (isLong(spec)) {
      longOptions.push_back({spec.name + 2, hasValue, nullptr, kLongOptionCode + static_cast<int>(i)});
    } else {
      shortOptions += spec.name[1];
      if (spec.valueName) shortOptions += ':';
    }
  }
  longOptions.push_back({nullptr, 0, nullptr, 0});
  // The C library's parser, as every command-line program takes options;
  // it may reorder the arguments it is given, so it gets a copy that begins
  // with the program's name as it expects.
  std::vector<char*> args = {const_cast<char*>("thudrokka")};
  args.insert(args.end(), argv, argv + argc);
  args.push_back(nullptr);
  const int count = argc + 1;
  const auto specOf = [&](int code) -> const OptionSpec* {
    if (code >= kLongOptionCode && code < kLongOptionCode + static_cast<int>(mOptions.size())) {
      return &mOptions[static_cast<std::size_t>(code - kLongOptionCode)];
    }
    if (code == kShortHelp[1]) return &mOptions.back();
    for (const OptionSpec& spec : mOptions) {
      if (!isLong(spec) && spec.name[1] == code) return &spec;
    }
    return nullptr;
  };
  opterr = 0;
  optind = 0;
  mPositional.clear();
  for (int code; (code = getopt_long(count, args.data(), shortOptions.c_str(), longOptions.data(), nullptr)) != -1;) {
    if (code == kOperandCode) {
      mPositional.push_back(optarg);
      continue;
    }
    if (code == ':') {
      mError = "option " + std::string(specOf(optopt)->name) + " needs a value";
      return false;
    }
    if (code == '?') {
      mError = refusal(optopt, args[optind - 1]);
      return false;
    }
    const OptionSpec* spec = specOf(code);
    mValues[spec->name] = spec->valueName ? optarg : "";
  }
  // What follows "--".
  mPositional.insert(mPositional.end(), args.begin() + optind, args.begin() + count);
  return true;
}

std::string CommandLine::refusal(int code, const std::string& argument) const {
  if (code >= kLongOptionCode) {
    return "option " + std::string(mOptions[static_cast<std::size_t>(code - kLongOptionCode)].name) +
           " takes no value";
  }
  // A character that the command has no option for; one past ASCII comes as
  // a negative number.
  if (code != 0) return "unknown option '-" + printableText(std::string(1, static_cast<char>(code))) + "'";
  // A long option that is none of the command's, or the start of several.
  const std::string typed = typedName(argument);
  std::string matches;
  int matched = 0;
  for (const OptionSpec& spec : mOptions) {
    if (!isLong(spec) || std::string(spec.name).compare(0, typed.size(), typed) != 0) continue;
    matches += (matched++ ? " or " : "") + std::string(spec.name);
  }
  if (matched > 1) return "option '" + printableText(typed) + "' is ambiguous: " + matches;
  return "unknown option '" + printableText(typed) + "'";
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
