// The current cursor and the hidden flag.
#include "OMCursor.h"

OMCursor* currentCursor = nullptr;
std::int32_t cursorHidden = 0;

OMCursor::~OMCursor() {
    if (currentCursor == this) currentCursor = nullptr;
}
