#pragma once

#include <string>
#include <vector>

namespace dsptest {

// The rows of a comma-separated fixture under reference/, split into fields;
// lines starting with '#' are comments. Empty when the file is missing.
std::vector<std::vector<std::string>> readReferenceTable(const std::string& name);

// The fields from first on as doubles.
std::vector<double> toDoubles(const std::vector<std::string>& fields, std::size_t first);

}  // namespace dsptest
