// Three full-screen pictures, 7530-7532, five seconds each, pushed over the options screen; a click
// ends it at once.
#pragma once

#include "HoverPointer.h"
#include "Scene.h"

class SlideShowScene : public Scene {
public:
    SlideShowScene();
    ~SlideShowScene() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseDown(Point point) override;
    void Draw(const Rect& rect) override;

private:
    void nextPicture();

    std::int16_t backdrop_ = 0;
    std::uint16_t counter_ = 0;
    std::uint16_t shown_ = 0;
    HoverPointer pointer_;
};
