// The base of every screen's scene object: the operations the application message handler calls.
#pragma once

#include <cstdint>

#include "Rect.h"

// The command that leaves a scene: an activity's exit button, the Picker's quit.
constexpr std::uint32_t kSceneExitCommand = 100;

class Scene {
public:
    Scene();
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    virtual void OnTimer(std::uint32_t timerId, std::int32_t lParam);
    virtual std::int32_t OnMouseMove(Point point);
    virtual std::int32_t OnMouseDown(Point point);
    virtual std::int32_t OnMouseUp(Point point);
    virtual std::int32_t OnCommand(std::uint32_t commandId);
    virtual void OnNotify(std::uint32_t code);
    virtual std::int32_t OnKey();
    virtual void Pause();
    virtual void Resume();
    virtual void Draw(const Rect& rect) = 0;

protected:
    Rect screenRect_{0, 0, 640, 480};
    // A channel this scene took out of automatic choice, 0xFFFF when none.
    std::uint16_t reservedChannel_ = 0xFFFF;
};
