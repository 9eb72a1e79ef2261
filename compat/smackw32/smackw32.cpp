// smackw32.dll: the exports over SmackMovie, the library's clock and the test seam.
#include <windows.h>
#include <mmsystem.h>

#include "MovieSource.h"
#include "SmackMovie.h"
#include "smackw32.h"

namespace {

SmackClock testClock = nullptr;
SmackSoundSink testSink = nullptr;

std::uint32_t layerClock() { return testClock ? testClock() : timeGetTime(); }

}  // namespace

extern "C" {

Smack* SMACK_CALL SmackOpen(const char* name, std::uint32_t flags, std::uint32_t) {
    if (!name) return nullptr;
    std::uint32_t start = layerClock();
    bool withSound = (flags & kSmackTracks) != 0;
    auto decoder = SmackDecoder::open(openMovieFile(name, (flags & kSmackPreloadAll) != 0), withSound, layerClock);
    if (!decoder) return nullptr;
    std::unique_ptr<SmackSound> sound;
    if (decoder->sound().rate) sound = std::make_unique<SmackSound>(decoder->sound(), testClock, testSink);
    auto* movie = new SmackMovie(std::move(decoder), std::move(sound), layerClock, (flags & kSmackNoSkip) == 0,
                                 layerClock() - start);
    return &movie->handle;
}

void SMACK_CALL SmackClose(Smack* smack) {
    if (smack) delete smack->movie;
}

void SMACK_CALL SmackToBuffer(Smack* smack, std::int32_t left, std::int32_t top, std::uint32_t pitch,
                              std::uint32_t height, void* buffer, std::uint32_t reversed) {
    if (smack)
        smack->movie->toBuffer(TargetBuffer{static_cast<std::uint8_t*>(buffer), left, top, pitch, height, reversed != 0});
}

std::uint32_t SMACK_CALL SmackDoFrame(Smack* smack) {
    if (smack) smack->movie->doFrame();
    return 0;
}

std::uint32_t SMACK_CALL SmackToBufferRect(Smack* smack, std::uint32_t) {
    return smack && smack->movie->takeRect() ? 1 : 0;
}

std::uint32_t SMACK_CALL SmackWait(Smack* smack) { return smack && smack->movie->wait() ? 1 : 0; }

void SMACK_CALL SmackNextFrame(Smack* smack) {
    if (smack) smack->movie->nextFrame();
}

void SMACK_CALL SmackGoto(Smack* smack, std::uint32_t frame) {
    if (smack) smack->movie->gotoFrame(frame);
}

std::uint32_t SMACK_CALL SmackSoundOnOff(Smack* smack, std::uint32_t on) {
    return smack && smack->movie->switchSound(on != 0) ? 1 : 0;
}

void SMACK_CALL SmackSummary(Smack* smack, SmackSum* summary) {
    if (smack && summary) smack->movie->summary(*summary);
}

void SMACK_CALL SmackTestUseVirtualDevice(SmackClock clock, SmackSoundSink sink) {
    testClock = clock;
    testSink = clock ? sink : nullptr;
}

}  // extern "C"
