// A plate's serial text read as its unsigned 32-bit identifier.
#pragma once

#include <QString>

// "1A2B3C3E" -> 0x1A2B3C3E; identifiers of 2^31 and more stay unsigned. 0 when not hexadecimal.
inline unsigned int serialIdentifier(const QString& serial) { return serial.toUInt(nullptr, 16); }
