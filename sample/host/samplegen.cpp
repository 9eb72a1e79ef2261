// Writes the sample title's 16-bit resource modules into a folder: the picture module (palettes and
// animations), the sound module and the racing game's scenery module.
//
//   samplegen FOLDER MOVIEFOLDER   (the movie "intro.smk" goes into MOVIEFOLDER)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>
#include <string>

#include "NeModuleWriter.h"
#include "PXKRoadTables.h"
#include "SampleIds.h"
#include "SampleIntroMovie.h"
#include "SampleMovie.h"
#include "SamplePictures.h"
#include "SampleSliderPictures.h"
#include "SampleSounds.h"

namespace {

std::string aseq(const AseqPicture& picture) { return writeAseq(picture, ByteOrder::little); }

void racingPictures(NeResourceType& animations);
void racePictures(NeResourceType& animations);

NeModule pictureModule() {
    NeResourceType palettes{0, "RRGB", {}};
    NeResourceType animations{0, "ASEQ", {}};
    const std::pair<std::uint16_t, SceneStyle> scenes[] = {{kMeadowScene, SceneStyle::meadow},
                                                           {kNightScene, SceneStyle::night}};
    for (const auto& [id, style] : scenes) {
        palettes.resources.push_back({id, writeRrgb(scenePalette(sceneColors(style)))});
        animations.resources.push_back({id, aseq(sceneBackground(style))});
    }
    animations.resources.push_back({kSunAnimation, aseq(sunAnimation())});
    animations.resources.push_back({kPlayButton, aseq(playButton())});
    animations.resources.push_back({kCharacterSettle, aseq(characterSettle())});
    for (int i = 0; i < 3; ++i) animations.resources.push_back({kCharacterFidgets[i], aseq(characterFidget(i))});
    animations.resources.push_back({kCharacterSpeech, aseq(characterSpeech(kGreetingSpeech))});
    for (const auto& [pet, picture, house] : {std::tuple{Pet::cat, kCatPicture, kCatHouse}, {Pet::dog, kDogPicture, kDogHouse}}) {
        animations.resources.push_back({picture, aseq(petPicture(pet))});
        animations.resources.push_back({house, aseq(housePicture(pet))});
    }
    racingPictures(animations);
    for (const auto& [id, part] : {std::pair{kSliderLessPicture, SliderPart::less}, {kSliderMorePicture, SliderPart::more},
                                   {kSliderThumbPicture, SliderPart::thumb}})
        animations.resources.push_back({id, aseq(sliderPicture(part))});
    racePictures(animations);
    NeModule module;
    module.types = {palettes, animations};
    return module;
}

// The racing game's pictures under the ids the game and the descriptor give them.
void racingPictures(NeResourceType& animations) {
    for (int glyph = 0; glyph < pxk::kGlyphCount; ++glyph)
        animations.resources.push_back({static_cast<std::uint16_t>(pxk::glyphResource(glyph)), aseq(racingGlyph(glyph))});
    const std::pair<std::uint16_t, AseqPicture> fixed[] = {
        {13142, racingSign(0)},   {13350, racingSign(1)}, {13228, racingSign(2)}, {13143, racingSparkle()},
        {13141, racingFlyer()},   {13137, racingFuel()},  {13288, racingLamp()},  {13315, racingSheet()},
        {13257, racingCrash()},   {kRacingHorn, racingHorn()}};
    for (const auto& [id, picture] : fixed) animations.resources.push_back({id, aseq(picture)});
    for (int c = 0; c < 4; ++c) animations.resources.push_back({kRacingCorners[c], aseq(racingCorner(c))});
}

// The assessment race's and the confirm screen's pictures.
void racePictures(NeResourceType& animations) {
    std::vector<std::pair<std::uint16_t, AseqPicture>> pictures = {
        {kRacingScenery, raceScenery()},       {kRaceExitButton, raceExitButton()}, {kRaceFinish, raceFinish()},
        {kRaceRightAnswer, raceRightAnswer()}, {kConfButtons[0], confirmButton(0)}, {kConfButtons[1], confirmButton(1)},
        {kConfLevelMark, confirmLevelMark()},  {kConfExitPicture, confirmExit()},
        {kRaceSpeechAnimation, characterSpeeches(std::vector<std::uint16_t>(std::begin(kRaceSpeeches), std::end(kRaceSpeeches)))}};
    for (int kind = 0; kind < 3; ++kind) pictures.push_back({kRacePlanes[kind], racePlane(kind)});
    for (int set = 1; set <= 3; ++set)
        for (int q = 2; q <= 3; ++q) {
            pictures.push_back({static_cast<std::uint16_t>(kRaceProblemPictures + 4 * (set - 1) + q - 2), raceProblem(set, q)});
            for (int k = 1; k <= 4; ++k)
                pictures.push_back({static_cast<std::uint16_t>(kRaceAnswerPictures + 8 * (set - 1) + 4 * (q - 2) + k - 1),
                                    raceAnswer(set, q, k)});
        }
    for (const auto& [id, picture] : pictures) animations.resources.push_back({id, aseq(picture)});
}

NeModule sceneryModule() {
    NeModule module;
    module.types = {{0, "ASEQ", {{kRacingScenery, aseq(racingScenery())}}}};
    return module;
}

NeModule soundModule() {
    NeModule module;
    module.types = {
        {0, "WAVE", {{kClickSound, clickSound()}, {kChimeSound, chimeSound()}, {kGreetingSpeech, greetingSpeech()}}}};
    for (std::uint16_t id : kRacingSounds) module.types[0].resources.push_back({id, racingSound(id)});
    module.types[0].resources.push_back({kRacingHorn, raceSound(kRacingHorn)});
    for (std::uint16_t id : kRaceEffects) module.types[0].resources.push_back({id, raceSound(id)});
    for (std::uint16_t id : kRaceSpeeches) module.types[0].resources.push_back({id, raceSound(id)});
    return module;
}

bool writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "samplegen: cannot write %s\n", name.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: samplegen FOLDER MOVIEFOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool written = writeFile(folder + kSamplePictureModule, writeNeModule(pictureModule()).bytes) &&
                         writeFile(folder + kSampleSoundModule, writeNeModule(soundModule()).bytes) &&
                         writeFile(folder + kSampleSceneryModule, writeNeModule(sceneryModule()).bytes) &&
                         writeFile(std::string(argv[2]) + "/" + kSampleMovie, introMovieFile());
    return written ? 0 : 1;
}
