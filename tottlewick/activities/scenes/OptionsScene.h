// The grown-ups' options screen over the Picker: click-only off or on, the level 1, 2 or 4, the slide
// show, and back. The preferences are saved whenever the screen goes away.
#pragma once

#include <initializer_list>

#include "CommandButton.h"
#include "HoverPointer.h"
#include "Scene.h"

class OptionsScene : public Scene {
public:
    OptionsScene();
    ~OptionsScene() override;

    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    void Draw(const Rect& rect) override;

private:
    CommandButton& button(std::uint32_t id);
    // The pressed look on `on` alone among the ids.
    void pressOnly(std::uint32_t on, std::initializer_list<std::uint32_t> ids);

    CommandButton buttons_[7];
    HoverPointer pointer_;
};
