// An actor with its own normal, rollover and pressed banks: the kit's picture button.
#pragma once

#include <cstdint>

#include "Actor.h"
#include "Rect.h"

class ActorButton {
public:
    ActorButton() = default;
    // A button whose actor is still in the table takes it and its banks away, as Remove does, so the next
    // screen neither tracks nor draws it and may use its id.
    virtual ~ActorButton();
    ActorButton(const ActorButton&) = delete;
    ActorButton& operator=(const ActorButton&) = delete;

    // Loads each non-zero bank and adds the actor at (x, y): ActorAdd's result, or 0 when none of the
    // three images loads.
    std::int16_t Add(std::uint32_t actorId, std::uint16_t normalXpk, std::uint16_t rolloverXpk,
                     std::uint16_t pressedXpk, std::uint16_t hitMaskXpk, std::int16_t x, std::int16_t y);
    // Takes the actor out of the table and frees its banks.
    virtual void Remove();
    void SetPressedLook(std::int16_t on);
    // Returns the actor's rollover bank and sets the new one.
    ShapeBank SwapRolloverBank(ShapeBank bank);
    void Draw(const Rect& clip) const;
    std::uint32_t Id() const { return desc_.id; }

protected:
    static constexpr std::uint32_t kNoActorId = 0xFFFFFFFF;
    ActorDesc desc_{kNoActorId, {}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
};
