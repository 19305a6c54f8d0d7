// Serial texts at the library's interface: "%08X" of the 32-bit device id.
#pragma once

#include <cstdint>
#include <optional>

namespace pladex {

// Reads the leading hexadecimal digits (either case). Empty when the text is null, does not
// begin with a digit, or names a number beyond 32 bits (no device can have it).
std::optional<std::uint32_t> parseSerialText(const char* text);

}  // namespace pladex
