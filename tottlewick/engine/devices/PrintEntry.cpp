// Splitting of the printer's profile entry; portable, so that it is also fuzzed natively.
#include "PrintEntry.h"

namespace {

// Skips leading blanks, ends the part at the next comma and moves cursor past it; null when empty.
const char* takePart(char*& cursor) {
    while (*cursor == ' ') ++cursor;
    if (*cursor == '\0' || *cursor == ',') return nullptr;
    char* part = cursor;
    while (*cursor != '\0' && *cursor != ',') ++cursor;
    if (*cursor == ',') *cursor++ = '\0';
    return part;
}

}  // namespace

bool PrintSplitEntry(char* entry, PrintEntryParts& parts) {
    char* cursor = entry;
    parts.name = takePart(cursor);
    parts.driver = parts.name ? takePart(cursor) : nullptr;
    parts.port = parts.driver ? takePart(cursor) : nullptr;
    return parts.port != nullptr;
}
