// BlueGoo: five blobs of goo sit at random places among six; each one picked flies into the next of five
// jars; then the filled jars are picked one by one, each reacts and keeps sounding; after all five a
// closing animation plays (the first time in the run also a closing sequence) and a new board follows.
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimSpot.h"
#include "KitSample.h"
#include "Mover.h"

class BlueGoo : public Activity {
public:
    static constexpr int kSpots = 11;   // 0-4 blobs and jar contents, 5 the decoration, 6-10 the pours
    static constexpr int kBlobs = 5;
    static constexpr int kSamples = 9;

    BlueGoo();
    ~BlueGoo() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    void OnNotify(std::uint32_t code) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

    // The flying goo's Mover; none while nothing flies.
    const Mover* Flight() const { return mover_; }

private:
    void setUpBoard();
    void pick(int k);
    void feed(int k);
    void startPhase2();
    void runState();
    void flyStep();
    void closeRound();
    void centre(int k, int place);
    void setPointer(std::uint16_t xpkId, Point offset);
    void showPointer(std::uint16_t on);
    void playSample(KitSamplePlay& channel, int sample, bool looped);
    void drawSpots(const Rect& rect, std::uint32_t fromItem, std::uint32_t toItem) const;
    void drawSpotRange(const Rect& rect, int first, int last) const;

    AnimClip character_;
    AnimClip background_;
    AnimClip sequence_;
    AnimSpot spots_[kSpots];
    std::uint32_t items_[kSpots] = {};
    std::int16_t places_[kSpots] = {};  // the blob place of spots 0-5
    std::uint32_t state_ = 0;
    std::uint16_t picked_ = 0;
    std::uint16_t pickedSpot_ = 0;
    std::uint16_t cycler_ = 0;
    Mover* mover_ = nullptr;
    MemHandle samples_[kSamples] = {};
    KitSamplePlay effectChannel_;
    KitSamplePlay backgroundChannel_;
    KitSamplePlay flightChannel_;
    KitSamplePlay jarChannels_[kBlobs];
    std::uint16_t pointerShown_ = 1;
};
