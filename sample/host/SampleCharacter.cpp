// The character's pictures: a 96 x 96 face whose eyes look aside or blink and whose mouth opens.
#include "SamplePictures.h"

#include "PixelGrid.h"

namespace {

constexpr std::int16_t kSoundCue = -101;

struct Face {
    int look = 0;  // pupils' offset: -3 left, 3 right
    bool eyesOpen = true;
    bool mouthOpen = false;
};

void drawEye(PixelGrid& grid, int cx, const Face& face) {
    if (!face.eyesOpen) {
        grid.fillRect(cx - 9, 44, cx + 10, 47, kPupil);
        return;
    }
    grid.fillEllipse(cx, 44, 9, 11, kLight);
    grid.fillEllipse(cx + face.look, 46, 4, 4, kPupil);
}

AseqPictureFrame faceFrame(const Face& face) {
    PixelGrid grid(96, 96, kClear);
    grid.fillEllipse(48, 30, 42, 28, kHair);
    grid.fillEllipse(48, 54, 40, 40, kSkin);
    drawEye(grid, 34, face);
    drawEye(grid, 62, face);
    grid.fillEllipse(24, 64, 7, 5, kCheek);
    grid.fillEllipse(72, 64, 7, 5, kCheek);
    if (face.mouthOpen) grid.fillEllipse(48, 74, 10, 8, kMouth);
    else grid.fillRect(38, 73, 59, 76, kMouth);
    return {96, 96, grid.pixels, {}};
}

// A one-shot play list ends on a hold, which reports the end of play, before the end entry.
void endOnce(std::vector<AseqPictureEntry>& sequence) {
    sequence.push_back({0, 0, -4, 0});
    sequence.push_back({0, 0, -1, 0});
}

// `count` entries of one frame at (0, y).
void repeatFrame(std::vector<AseqPictureEntry>& sequence, std::int16_t frame, int count, std::int16_t y = 0) {
    for (int i = 0; i < count; ++i) sequence.push_back({0, y, frame, 0});
}

}  // namespace

AseqPicture characterSettle() {
    AseqPicture picture;
    picture.frames = {faceFrame({}), faceFrame({0, false, false})};
    std::vector<AseqPictureEntry> sequence;
    repeatFrame(sequence, 0, 14);
    repeatFrame(sequence, 1, 1);
    sequence.push_back({0, 0, -2, 0});
    sequence.push_back({0, 0, -1, 0});
    picture.sequences = {sequence};
    return picture;
}

AseqPicture characterFidget(int which) {
    AseqPicture picture;
    std::vector<AseqPictureEntry> sequence;
    if (which == 2) {
        picture.frames = {faceFrame({})};
        for (const std::int16_t y : {0, -6, -12, -16, -12, -6, 0}) repeatFrame(sequence, 0, 1, y);
    } else {
        picture.frames = {faceFrame({which == 0 ? -3 : 3, true, false}), faceFrame({})};
        repeatFrame(sequence, 0, 6);
        repeatFrame(sequence, 1, 1);
    }
    endOnce(sequence);
    picture.sequences = {sequence};
    return picture;
}

AseqPicture characterSpeech(std::uint16_t soundId) {
    AseqPicture picture;
    picture.frames = {faceFrame({}), faceFrame({0, true, true})};
    std::vector<AseqPictureEntry> sequence{{0, 0, kSoundCue, static_cast<std::int16_t>(soundId)}};
    for (int syllable = 0; syllable < 5; ++syllable) {
        repeatFrame(sequence, 1, 2);
        repeatFrame(sequence, 0, 1);
    }
    endOnce(sequence);
    picture.sequences = {sequence};
    return picture;
}

// The hold is followed by the closed mouth instead of an end entry, so that the list stays paused after
// each speech (an end entry would stop it) and the character can play it again for the next one.
AseqPicture characterSpeeches(const std::vector<std::uint16_t>& soundIds) {
    AseqPicture picture;
    picture.frames = {faceFrame({}), faceFrame({0, true, true})};
    for (const std::uint16_t soundId : soundIds) {
        std::vector<AseqPictureEntry> sequence{{0, 0, kSoundCue, static_cast<std::int16_t>(soundId)}};
        for (int syllable = 0; syllable < 5; ++syllable) {
            repeatFrame(sequence, 1, 2);
            repeatFrame(sequence, 0, 1);
        }
        sequence.push_back({0, 0, -4, 0});
        repeatFrame(sequence, 0, 1);
        picture.sequences.push_back(sequence);
    }
    return picture;
}
