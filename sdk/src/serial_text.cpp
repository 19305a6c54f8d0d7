#include "serial_text.h"

namespace pladex {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::uint32_t> parseSerialText(const char* text) {
    if (!text || hexDigitValue(text[0]) < 0) return std::nullopt;
    std::uint64_t value = 0;
    for (const char* p = text; hexDigitValue(*p) >= 0; ++p) {
        value = value * 16 + static_cast<std::uint64_t>(hexDigitValue(*p));
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace pladex
