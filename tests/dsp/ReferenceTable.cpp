#include "tests/dsp/ReferenceTable.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace dsptest {

std::vector<std::vector<std::string>> readReferenceTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in("reference/" + name);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream fieldStream(line);
    std::string field;
    while (std::getline(fieldStream, field, ',')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

std::vector<double> toDoubles(const std::vector<std::string>& fields, std::size_t first) {
  std::vector<double> values;
  for (std::size_t i = first; i < fields.size(); ++i) {
    values.push_back(std::strtod(fields[i].c_str(), nullptr));
  }
  return values;
}

}  // namespace dsptest
