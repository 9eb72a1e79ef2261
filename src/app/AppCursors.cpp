// The program's cursors.
#include "AppCursors.h"

#include <cstdint>

#include "OMCursor.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"
#include "RAnimation.h"
#include "RAnswer.h"
#include "RCharacter.h"
#include "RPButton.h"

namespace {
constexpr std::int16_t kDefaultCursorId = 5;
}  // namespace

AppCursors installCursors(OMTrinketWindow& window) {
    auto* cursor = new OMCursor(kDefaultCursorId, nullptr);
    window.canvas->setCursor(cursor);
    OMTrinket::defaultCursor = OMTrinket::defaultDownCursor = cursor;
    OMTrinket::setNoTrinketCursor(cursor);
    RPButton::defaultCursor = RPButton::defaultDownCursor = cursor;
    RAnimation::defaultCursor = RAnimation::defaultDownCursor = cursor;
    RAnswer::defaultCursor = RAnswer::defaultDownCursor = cursor;
    RCharacter::setDefaultCursor(cursor);
    RCharacter::setDefaultDownCursor(cursor);
    auto* second = new OMCursor(kDefaultCursorId, nullptr);
    window.canvas->setCursor(second);
    return {cursor, second};
}

void removeCursors(const AppCursors& cursors) {
    OMTrinket::noTrinketCursor = nullptr;
    delete cursors.defaultCursor;
    delete cursors.second;
}
