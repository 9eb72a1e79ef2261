// The opening sequence: two title pictures of three seconds each, then the film 700 with its sound
// track, then the Picker. A click or a key goes straight to the Picker.
#pragma once

#include <cstdint>

#include "Res.h"
#include "Scene.h"
#include "SmfPlayer.h"

class IntroScene : public Scene {
public:
    IntroScene();
    ~IntroScene() override;

    // One step of the sequence, on every tick (10008).
    void Step();

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

    // The film's player, 0 while none is open.
    SmfPlayer Film() const { return player_; }

private:
    void showPicture(std::uint16_t id);
    void startStream();
    void cleanUp();
    void leave();

    SmfPlayer player_ = 0;
    ResRawRef raw_ = 0;
    std::uint32_t state_ = 0;
    std::int16_t backdrop_ = 0;
    std::uint16_t channel_ = 0xFFFF;  // the film's sound track
    ResSource resources_ = 0;
};
