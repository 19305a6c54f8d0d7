#include "json_fields.h"

#include <gtest/gtest.h>

#include <regex>

namespace toolstest {

std::map<std::string, std::string> jsonFields(const std::string& line) {
    static const std::regex object(R"(^\s*\{(.*)\}\s*$)");
    static const std::regex member(R"re(\s*"([^"]*)"\s*:\s*("([^"]*)"|[-0-9.eE+]+)\s*(,|$))re");
    std::map<std::string, std::string> fields;
    std::smatch whole;
    if (!std::regex_match(line, whole, object)) return fields;
    const std::string body = whole[1];
    for (std::sregex_iterator it(body.begin(), body.end(), member), end; it != end; ++it) {
        const std::smatch& m = *it;
        fields[m[1]] = m[3].matched ? m[3].str() : m[2].str();
    }
    return fields;
}

std::int64_t jsonNumber(const std::map<std::string, std::string>& fields, const std::string& key) {
    const auto it = fields.find(key);
    if (it == fields.end()) {
        ADD_FAILURE() << "no member \"" << key << "\"";
        return 0;
    }
    return std::stoll(it->second);
}

std::map<std::string, std::map<std::string, std::string>> objectsBySerial(
    const std::vector<std::string>& lines) {
    std::map<std::string, std::map<std::string, std::string>> objects;
    for (const std::string& line : lines) {
        auto fields = jsonFields(line);
        const auto serial = fields.find("serial");
        if (serial != fields.end()) objects[serial->second] = fields;
    }
    return objects;
}

}  // namespace toolstest
