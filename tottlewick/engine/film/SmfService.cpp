// The SMF player's service: the due commands executed against the player's file and buffers, frames
// invalidated for the next screen update and sound blocks queued on the player's channel.
#include "EngineClock.h"
#include "SmfPlayerRecord.h"
#include "SndChannelPlay.h"
#include "SndVoice.h"
#include "Update.h"

namespace {

// Past a block's own duration the wait for it gives up, so a sound that no longer advances cannot hold
// the program.
constexpr std::uint32_t kWaitMarginMs = 100;

// The player's additions to the plain decoding: the channel served before each command, frames
// invalidated at the drawing position, and blocks queued while running after the older one has played.
class PlayerHost final : public SmfDecodeHost {
public:
    explicit PlayerHost(SmfPlayerRecord& r) : SmfDecodeHost(r.film), r_(r) {}

    void beforeCommand() override {
        if (smfChannelValid(r_)) SndChannelService(r_.channel);
    }

    void frame(int track, const SmfCommandState& state) override {
        if (!b_.frameData) return;
        SmfDecodeHost::frame(track, state);
        const Rect moved = smfMovedRect(r_);
        UpdateInvalRect(&moved);
    }

    // Lets the older queued block finish while it plays, keeping the film's clock still meanwhile.
    void beforeAudio() override {
        if (!(r_.flags & kSmfRunning) || !r_.older || !smfChannelValid(r_)) return;
        const std::uint32_t began = ClockMilliseconds();
        const std::uint32_t limit = SndVoiceGetDurationMs(r_.older) + kWaitMarginMs;
        while (playing(r_.older) && ClockMilliseconds() - began <= limit) SndChannelService(r_.channel);
        r_.clock += ClockMilliseconds() - began;
    }

    void audio(int track, const SmfCommandState& state) override {
        SmfDecodeHost::audio(track, state);
        if (r_.flags & kSmfRunning) smfQueueBlock(r_);
    }

private:
    static bool playing(SndVoiceHandle voice) {
        return SndVoiceIsActive(voice) && !SndVoiceIsPaused(voice) && !SndIsPausedAll();
    }
    SmfPlayerRecord& r_;
};

// While the film's sound cannot advance (all sound paused, as when the program is in the background, or its
// play paused) the film holds its clock and queues nothing, so that it goes on in step with its sound.
// False while held.
bool followSound(SmfPlayerRecord& r) {
    const bool held = SndIsPausedAll() || (r.newer && SndVoiceIsPaused(r.newer));
    if (held != ((r.flags & kSmfHeld) != 0)) {
        smfTurnClock(r);
        r.flags ^= kSmfHeld;
    }
    return !held;
}

}  // namespace

void smfQueueBlock(SmfPlayerRecord& r) {
    const SmfFilmBuffers& f = r.film;
    std::size_t offset = 0;
    if (!r.rate || !smfChannelValid(r) || !SmfBlockToPlay(f, &offset)) return;
    SndSettingsScope keep;
    SndSetAppend(1);
    SndSetLoop(0);
    SndSetAutoFree(0);
    SndSetPriority(SmfGetPriority());
    SndSetSampleBlock(0);
    SndSetLockedHeader(nullptr);
    SndSetEndProc(nullptr);
    r.older = r.newer;
    r.newer = SndChannelPlayData(r.channel, f.sampleSize, f.channels, r.rate, f.currentBlock,
                                 f.audioData + offset);
}

void SmfService(SmfPlayer player) {
    SmfAccess r(player);
    if (!r || ((r->flags & kSmfStarted) && !(r->flags & kSmfRunning))) return;
    if ((r->flags & kSmfRunning) && !followSound(*r)) return;
    const bool beforeStart = !(r->flags & kSmfStarted);
    if (beforeStart) smfLockBuffers(*r);
    const std::uint32_t elapsed = smfElapsed(*r);
    PlayerHost host(*r);
    SmfRunDue(r->table(), r->entries, elapsed, &r->commands, &host);
    if (beforeStart) smfUnlockBuffers(*r);
    else if (smfFinished(*r, smfElapsed(*r))) smfStop(*r);
}
