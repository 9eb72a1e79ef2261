// The assessment race's and the confirm screen's pictures, drawn from rectangles: solid cards at their
// stored placement, a plane moved by its entries' offsets and the race's scrolling scenery.
#include <algorithm>
#include <string>
#include <vector>

#include "PixelGrid.h"
#include "SampleFont.h"
#include "SampleIds.h"
#include "SamplePictures.h"

namespace {

constexpr std::int16_t kHold = -4;
constexpr std::int16_t kEnd = -1;

AseqPictureFrame frameOf(const PixelGrid& grid) {
    return {static_cast<std::int16_t>(grid.width), static_cast<std::int16_t>(grid.height), grid.pixels, {}};
}

// Frames shown once each in order. With `hold`, a hold reports the end of play and the last frame follows
// it in place of an end entry, so the picture stays paused where a new play can start it again; without,
// the end entry hides it.
AseqPicture inOrder(const std::vector<PixelGrid>& grids, bool hold) {
    AseqPicture picture;
    std::vector<AseqPictureEntry>& sequence = picture.sequences.emplace_back();
    for (std::size_t i = 0; i < grids.size(); ++i) {
        picture.frames.push_back(frameOf(grids[i]));
        sequence.push_back({0, 0, static_cast<std::int16_t>(i), 0});
    }
    sequence.push_back(hold ? AseqPictureEntry{0, 0, kHold, 0} : AseqPictureEntry{0, 0, kEnd, 0});
    if (hold) sequence.push_back({0, 0, static_cast<std::int16_t>(grids.size() - 1), 0});
    return picture;
}

// A card of one colour, its frames alternating with a lighter border, at (x, y).
AseqPicture card(int x, int y, int w, int h, std::uint8_t colour, int frames, bool hold) {
    std::vector<PixelGrid> grids;
    for (int f = 0; f < frames; ++f) {
        PixelGrid g(w, h, f % 2 ? std::uint8_t(kLight) : colour);
        g.fillRect(3, 3, w - 3, h - 3, colour);
        grids.push_back(g);
    }
    AseqPicture picture = inOrder(grids, hold);
    place(picture, x, y);
    return picture;
}

}  // namespace

// Stored placement bytes of (x, y): 12 bits each, the high nibbles sharing the third byte.
void place(AseqPicture& picture, int x, int y) {
    picture.placement[0] = static_cast<std::uint8_t>(x & 0xFF);
    picture.placement[1] = static_cast<std::uint8_t>(y & 0xFF);
    picture.placement[2] = static_cast<std::uint8_t>((x >> 8 & 0x0F) | (y >> 8 & 0x0F) << 4);
}

AseqPicture raceScenery() {
    std::vector<PixelGrid> grids;
    for (int f = 0; f < 16; ++f) {
        PixelGrid g(530, 272, kGround);
        for (int band = 0; band < 8; ++band) g.fillRect(0, band * 20, 530, band * 20 + 20, std::uint8_t(kSkyFirst + band * 6));
        g.fillRect(0, 160, 530, 200, kHill);
        for (int x = (f * 34) % 68 - 68; x < 530; x += 68) g.fillRect(std::max(x, 0), 230, std::max(x + 30, 0), 240, kRoadLine);
        grids.push_back(g);
    }
    AseqPicture picture = inOrder(grids, false);
    return picture;
}

// 0 arriving from the left, 1 flying (bobbing), 2 wrong (dropping); 80 x 40 from (150, 110).
AseqPicture racePlane(int kind) {
    PixelGrid g(80, 40, kClear);
    g.fillRect(0, 14, 80, 26, kPlaneBody);
    g.fillRect(30, 0, 46, 40, kPlaneBody);
    g.fillRect(0, 6, 8, 20, kPlaneBody);
    AseqPicture picture;
    picture.frames.push_back(frameOf(g));
    picture.sequences.emplace_back();
    for (int i = 0; i < 6; ++i) {
        const int dx = kind == 0 ? -100 + 20 * i : 0;
        const int dy = kind == 1 ? (i % 2) * 4 : kind == 2 ? 15 * i : 0;
        picture.sequences[0].push_back({static_cast<std::int16_t>(dx), static_cast<std::int16_t>(dy), 0, 0});
    }
    const AseqPictureEntry last = picture.sequences[0].back();
    picture.sequences[0].push_back({0, 0, kHold, 0});
    picture.sequences[0].push_back(last);
    place(picture, 150, 110);
    return picture;
}

AseqPicture raceExitButton() { return card(580, 400, 48, 48, kDiscardButton, 2, true); }
AseqPicture raceFinish() { return card(200, 60, 240, 60, kRoadLine, 6, false); }
AseqPicture raceRightAnswer() { return card(kRaceAnswerX, kRaceAnswerY, 60, 60, kLight, 4, true); }

// Set s, quizlet q: a blue card that asks "s+q-1" (1+1, 1+2, 2+1, 3+1).
AseqPicture raceProblem(int set, int quizlet) {
    PixelGrid g(60, 60, kSignBlue);
    const std::string sum = std::to_string(set) + "+" + std::to_string(quizlet - 1);
    drawText(g, sum, (60 - textWidth(sum, 3)) / 2, 20, 3, kLight);
    AseqPicture picture = inOrder({g}, true);
    place(picture, 450, 300);
    return picture;
}

// Answer k (1 right) of set s, quizlet q: a card of the right or the wrong colour with its number, the
// problem's sum for k = 1 and the numbers after it for the others.
AseqPicture raceAnswer(int set, int quizlet, int k) {
    PixelGrid g(60, 60, k == 1 ? kRightAnswer : kWrongAnswer);
    const std::string number = std::to_string(set + quizlet - 1 + k - 1);
    drawText(g, number, (60 - textWidth(number, 5)) / 2, 12, 5, kLight);
    AseqPicture picture = inOrder({g}, true);
    place(picture, kRaceAnswerX, kRaceAnswerY);
    return picture;
}

AseqPicture confirmButton(int which) {
    return which == 0 ? card(kConfKeepX, kConfKeepY, 100, 50, kKeepButton, 2, true)
                      : card(390, kConfKeepY, 100, 50, kDiscardButton, 2, true);
}

AseqPicture confirmLevelMark() { return inOrder({PixelGrid(24, 24, kLevelMark)}, true); }
AseqPicture confirmExit() { return card(kConfExitX, kConfExitY, 200, 100, kConfExit, 1, true); }
