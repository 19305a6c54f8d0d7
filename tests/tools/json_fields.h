// Reads the flat JSON objects that the tools print: {"key":"text","key":123,...}.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace toolstest {

// Members of one flat object, values as their text (strings without quotes); empty when the
// line is not such an object.
std::map<std::string, std::string> jsonFields(const std::string& line);

// The numeric member `key`; a test failure (and 0) when it is missing.
std::int64_t jsonNumber(const std::map<std::string, std::string>& fields, const std::string& key);

// Objects that have a "serial" member, keyed by it.
std::map<std::string, std::map<std::string, std::string>> objectsBySerial(
    const std::vector<std::string>& lines);

}  // namespace toolstest
