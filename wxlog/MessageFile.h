// The message file: numbered message texts, one per line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

using MessageTable = std::map<std::uint16_t, std::string>;

// Lines end at CR, LF or both. A line that begins with a decimal digit is a message: its id is the
// value of its leading digits (kept as an unsigned 16-bit key), its text everything from the line's
// sixth character on, as in "0042 Ready". Other lines are ignored; a later line wins over an earlier
// one with the same id. A line too short to reach its sixth character has an empty text, and a NUL byte
// ends a text early.
MessageTable parseMessageFile(std::string_view fileText);
