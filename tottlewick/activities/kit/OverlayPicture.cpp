// Overlay pictures as shape objects.
#include "OverlayPicture.h"

#include "ShapeMgr.h"
#include "Sprite.h"

void OverlayShow(std::uint16_t id) {
    const ShapeBank bank = ShapeBankLoad(id);
    if (bank) SpriteCreate(0, bank, 0, static_cast<std::int16_t>(id));
}

void OverlayRemove(std::uint16_t id) { SpriteFreeWithBank(static_cast<std::int16_t>(id)); }

void SpriteFreeWithBank(std::int16_t id) {
    ShapeBank bank = 0;
    if (!SpriteGetBank(id, &bank)) return;
    SpriteDispose(id);
    ShapeBankFree(&bank);
}
