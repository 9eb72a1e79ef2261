// A full-screen picture shown as the shape object of its own id at 0, 0, under a pushed screen's buttons; and
// the removal of any shape object that owns its bank.
#pragma once

#include <cstdint>

// Loads 'XPK' id and shows shape 0 at 0, 0 as shape object id.
void OverlayShow(std::uint16_t id);
// Finds shape object id, frees its bank and removes it.
void OverlayRemove(std::uint16_t id);
// The same for any shape object that owns its bank.
void SpriteFreeWithBank(std::int16_t id);
