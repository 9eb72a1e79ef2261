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

    // The scene's looping background music on a channel withdrawn from automatic choice, faded over 1 s.
    void StartMusic(std::uint16_t soundId);
    void FadeMusicOut();
    void FadeMusicIn();
    // Gives the channel back; the loop ends after its current pass.
    void StopMusic();
    // Fill the scene rectangle with palette index 0 on the window or the offscreen canvas.
    void FillWindow();
    void FillOffscreen();
    // Flushes the scene rectangle filled, then marks it for the scene's own drawing with transition 1.
    void RevealScene();

protected:
    Rect screenRect_{0, 0, 640, 480};
    // The music channel, 0xFFFF when none.
    std::uint16_t musicChannel_ = 0xFFFF;
};
