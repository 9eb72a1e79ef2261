// The racing road's tick and draw at speed 4 (scenery frame, sign board, eight glyphs, eight sparkles and
// four corners) beside drawing the scenery frame alone with OMAnimation, measured in the same run (goal:
// within 1.5x). The pictures are the sample title's (build the sample_title target first); the sign board
// is shown again whenever its run of 32 frames ends, so a few passes draw none.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "DescriptorFile.h"
#include "OMAnimation.h"
#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "PXKGame.h"
#include "ProgramWindow.h"
#include "ResourceFinder.h"
#include "SampleIds.h"

namespace {

constexpr int kRounds = 20;
constexpr int kPasses = 200;
std::uint32_t fakeMs = 0;
std::uint32_t fakeClock() { return fakeMs; }

void advance() { fakeMs += 17; }

// Runs a right answer of eight digits to its sparkles, for the first seed that places eight of them; then
// stops the run and shows a next-problem sign over the glyphs.
bool setUp(PXKGame& road) {
    for (unsigned seed = 1; seed < 5000; ++seed) {
        std::srand(seed);
        road.showChoice("12345678", false);
        while (!road.signInReach()) road.tick(), advance();
        road.right();
        // Sparkles are placed one segment before the finish (22 for a number).
        while (road.road().state() == 8 && road.road().segment() < 21) road.tick(), advance();
        if (road.road().sparkles().size() != 8) continue;
        road.showSign(0);
        while (road.road().signFrame() < 0) road.tick(), advance();
        return true;
    }
    return false;
}

}  // namespace

int main() {
    setAppInstance(GetModuleHandleA(nullptr));
    static_cast<void>(findRunningInstance(appInstance()));
    const OMRect frame{0, 0, 640, 460};
    auto* app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
    auto* window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
    SetCurrentDirectoryA((ProgramWindow::ownFolder() + "\\..\\sample").c_str());
    const DescriptorFile descriptor("PLSDescriptor.txt");
    OMAnimation::animationHook = findAnimationResource;
    setClockSource(fakeClock);
    auto owned = std::make_unique<PXKGame>(nullptr, nullptr, window);
    PXKGame& road = *owned;
    road.start(0, 4, true);
    road.loadScenery();
    road.setSpeed(4);
    setPictureModuleOverride("PRsc\\doriruvu.rsc");
    std::unique_ptr<OMAnimation> scenery(new OMAnimation(window, findAnimationResource(kRacingScenery), 40, 0));
    setPictureModuleOverride(nullptr);
    if (!road.hasScenery() || scenery->status() != AseqStatus::ok || !setUp(road))
        cannotMeasure("the sample title's pictures are missing (build the sample_title target)");
    const double whole = fastestEach(kRounds, kPasses, [&road](int) {
        advance();
        if (road.road().signFrame() < 0) road.showSign(0);
        road.tick();
        road.draw();
    });
    const double alone = fastestEach(kRounds, kPasses, [&scenery, window](int i) {
        scenery->setFramePosition(i % 16 + 1, false);
        scenery->drawCurrentInto(40, 0, *window->offscreen, OMRect{40, 0, 570, 272});
    });
    std::printf("racing road tick+draw us  scenery alone us  ratio (goal <= 1.5)\n");
    std::printf("%24.1f  %16.1f  %5.2f\n", whole * 1e6, alone * 1e6, whole / alone);
    scenery.reset();
    owned.reset();
    setClockSource(nullptr);
    delete window;
    delete app;
    return 0;
}
