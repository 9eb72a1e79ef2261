// Loading and drawing the racing game's pictures.
#include "PXKPictures.h"

#include "OMTrinketWindow.h"

std::unique_ptr<OMAnimation> loadPicture(std::int32_t id, std::int32_t x, std::int32_t y, OMTrinketWindow* window,
                                         bool hidden) {
    const auto hook = OMAnimation::animationHook;
    return loadPicture(hook ? hook(static_cast<std::int16_t>(id)) : nullptr, x, y, window, hidden);
}

std::unique_ptr<OMAnimation> loadPicture(OMIStream* stream, std::int32_t x, std::int32_t y, OMTrinketWindow* window,
                                         bool hidden) {
    if (!stream) return nullptr;
    std::unique_ptr<OMAnimation> picture(new OMAnimation(window, stream, x, y));
    if (!picture || picture->status() != AseqStatus::ok) return nullptr;
    picture->setMovable(0);
    picture->setTouchy(0);
    if (!hidden) return picture;
    picture->restart();
    picture->setFramePosition(1, true);
    picture->hide();
    return picture;
}

void showPosition(OMAnimation* picture, std::int32_t position) {
    if (picture && picture->framePosition() != position) picture->setFramePosition(position, false);
}

std::int32_t pictureWidth(const OMAnimation* picture, std::int32_t i) { return picture ? picture->frameWidth(i) : 0; }
std::int32_t pictureHeight(const OMAnimation* picture, std::int32_t i) { return picture ? picture->frameHeight(i) : 0; }

void drawPosition(OMAnimation* picture, std::int32_t position, std::int32_t x, std::int32_t y, const OMRect& clip) {
    if (picture) picture->drawPositionInto(position, x, y, *picture->window->offscreen, clip);
}
