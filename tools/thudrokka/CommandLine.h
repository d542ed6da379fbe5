#pragma once

#include <map>
#include <string>
#include <vector>

// One option of a subcommand. A null value name makes it a flag.
struct OptionSpec {
  const char* name;       // "--note" or "-o"
  const char* valueName;  // "K", or null for a flag
  const char* defaultValue;
  const char* help;
};

// The arguments of one subcommand, checked against its options as
// getopt_long takes them: "--name value" or "--name=value", a long name
// shortened to any start that is no other's, "-o value" or "-ovalue", options
// and other arguments in any order (POSIXLY_CORRECT in the environment or
// not), and "--" ending the options. "--help",
// and "-h" for it, are always known.
class CommandLine {
 public:
  // False, with error set, for an unknown or ambiguous option, a missing
  // value, or a value given to a flag.
  bool parse(int argc, char** argv, const std::vector<OptionSpec>& options);

  bool has(const std::string& name) const { return mValues.count(name) > 0; }
  // The given value, else the option's default ("" when it has none).
  std::string value(const std::string& name) const;
  const std::vector<std::string>& positional() const { return mPositional; }
  const std::string& error() const { return mError; }

  // Whole numbers and decimals within [min, max], as NumberText reads them;
  // false, with error set, for anything else.
  bool intValue(const std::string& name, int min, int max, int* out);
  bool doubleValue(const std::string& name, double min, double max, double* out);
  // One of the listed whole numbers.
  bool choiceValue(const std::string& name, const std::vector<int>& choices, int* out);

 private:
  // What is wrong with an option that getopt_long refused, by its code.
  std::string refusal(int code, const std::string& argument) const;

  std::vector<OptionSpec> mOptions;
  std::map<std::string, std::string> mValues;
  std::vector<std::string> mPositional;
  std::string mError;
};

// "usage: thudrokka <synopsis>", the summary, and each option with its
// default, on stdout.
void printUsage(const char* synopsis, const char* summary, const std::vector<OptionSpec>& options);
