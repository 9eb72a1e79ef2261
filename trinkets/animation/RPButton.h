// The push button scripts place on screen: an animation whose first three frame entries are its normal,
// pressed and disabled looks. A press plays its click sound; a release over its pixels raises "hit", once
// the click has ended.
#pragma once

#include <cstdint>
#include <memory>

#include "OMAnimation.h"
#include "OMWaveSound.h"

class RPButton : public OMAnimation {
public:
    static constexpr std::int32_t kNormal = 1;
    static constexpr std::int32_t kPressed = 2;
    static constexpr std::int32_t kDisabled = 3;

    RPButton(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y);
    // The animation's copy with the button's settings and scripted press; no click sounds for it yet.
    RPButton(const RPButton& other);
    ~RPButton() override;

    // A copy is a whole button, so that the button's properties it takes reach button fields.
    OMScriptableObject* clone() override;

    // "left top".
    void describe(char* buffer, std::size_t size) override;
    void registerProperties() override;
    void showDownCursor() override { showCursor(); }
    void onMouseDown() override;
    void onMouseUp() override;
    void onDrag() override;
    void onDblClick() override { onMouseDown(); }
    // A button is not moved this way.
    void offsetBy(std::int32_t&, std::int32_t&) override {}
    void tick() override;

    // Shows the pressed look for playDelay ms and plays the click.
    void click();

    bool pendingHit = false;
    std::int16_t clickSoundID = -1;
    std::uint32_t pressTime = 0;
    std::int32_t playDelay = 250;

    static OMCursor* defaultCursor;
    static OMCursor* defaultDownCursor;
    // The class's registry record ("RPButton"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    void showLook(std::int32_t position) { setFramePosition(position, false); }
    bool pointerOver();
    void playClick();
    void clickEnded();
    void releaseClick();
    void getEnabled(OMArg buffer);
    void setEnabled(OMArg text);
    void getClickSoundID(OMArg buffer);
    void setClickSoundID(OMArg text);
    void getPlayDelay(OMArg buffer);
    void setPlayDelay(OMArg text);

    // The sound reads the data, so it goes first.
    std::unique_ptr<OMIStream> clickData;
    std::unique_ptr<OMWaveSound> clickSound;
};
