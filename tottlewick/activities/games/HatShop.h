// HatShop: an uncoloured hat that a 40-pixel brush colours wherever the mouse moves, in one of three
// colour schemes chosen with tool buttons; three quarters coloured fills the whole hat with a cheer, and a
// print button prints it as "Tottlewick Hat".
#pragma once

#include <cstdint>

#include "Activity.h"
#include "Canvas.h"
#include "ShapeMgr.h"

class HatShop : public Activity {
public:
    static constexpr int kTools = 3;
    static constexpr int kDecorations = 6;
    static constexpr int kScribbles = 10;

    HatShop();
    ~HatShop() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

    // Colours the hat under the brush at a screen point; a stroke across a quarter line scribbles.
    void PaintAt(Point point);
    // Fills the hat when three quarters of the colour shape show on it.
    void CheckCovered();

    std::uint16_t Finished() const { return finished_; }
    bool Printing() const { return printStarted_ != 0; }
    // The hat of the run: 0, 1 or 2, 0xFFFF before the first visit.
    static std::uint16_t Design();

private:
    void startHatCanvas();
    void startBrush();
    void chooseTool(int tool);
    void fillHat();
    void printStart();
    void printHat();
    void removeOverlay();
    void showButtons(std::int16_t on);
    // The hat canvas's area in screen coordinates.
    Rect hatRect() const;
    void copyHat(const Rect& screenRect) const;

    CommandButton tools_[kTools];
    CommandButton printButton_;
    std::uint16_t printButtonShown_ = 0;
    MemHandle toolSample_ = 0;
    MemHandle scribbles_[kScribbles] = {};
    MemHandle cheerSample_ = 0;
    Canvas hat_ = 0;
    Canvas brush_ = 0;
    Point offset_{};
    ShapeBank colours_ = 0;
    std::uint16_t finished_ = 0;
    ShapeBank decorations_[kDecorations] = {};
    std::uint32_t printStarted_ = 0;
    std::uint16_t overlayShown_ = 0;
};
