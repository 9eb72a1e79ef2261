// Commands and queries on the plays of the play layer, channel reservation, and the sound service that the
// main loop runs at every pass. Commands answer 0 for success and 1 for failure; queries 0 for no play.
#pragma once

#include <cstdint>

#include "SndFade.h"

std::int16_t SndStop(std::int16_t channel);  // a stream is stopped and the service runs once; 1 for a bad channel
std::int16_t SndStopAtEnd(std::int16_t channel);
std::int16_t SndStopAll();
std::int16_t SndStopAndSetVolume(std::int16_t channel, std::uint16_t volume);
std::int16_t SndPause(std::int16_t channel);
std::int16_t SndResume(std::int16_t channel);
std::int16_t SndPauseAllPlays();
std::int16_t SndResumeAllPlays();
std::int16_t SndStopStreams();
std::int16_t SndPauseStreams();
std::int16_t SndResumeStreams();
// Fades the play's volume to 0 over the default fade time; a null procedure stops the play at the end and
// puts back the volume the fade started from. 1 when a fade already runs or the volume is already 0.
std::int16_t SndFadeOutPlay(std::int16_t channel, SndFadeEndProc proc);
std::int16_t SndFadeOutPlayWait(std::int16_t channel, SndFadeEndProc proc, SndWaitProc wait);

std::int16_t SndIsPlaying(std::int16_t channel);
std::int16_t SndAnyPlaying();
std::int16_t SndIsLooping(std::int16_t channel);
std::int16_t SndIsStreamed(std::int16_t channel);
std::uint32_t SndStreamedChannels();
std::int16_t SndIsPaused(std::int16_t channel);
std::uint32_t SndGetPosition(std::int16_t channel);  // milliseconds played
std::uint32_t SndGetPlayVoice(std::int16_t channel);
// A number that tells the channel's play from any other play; 0 when none.
std::uint32_t SndGetPlaySerial(std::int16_t channel);
std::int16_t SndIsChannelDisabled(std::int16_t channel);
// Channels of the channel mask, in use, with no play and not disabled.
std::uint32_t SndGetFreeChannels();
// 1 when a streamed play that is not paused reads a file on that drive (1-26).
std::int16_t SndIsDriveInUse(std::int16_t drive);

// Disabling nests: a channel is chosen again only after as many enables as disables.
std::int16_t SndChannelDisable(std::int16_t channel);  // 1 when it was already disabled (0 bad channel)
std::int16_t SndChannelEnable(std::int16_t channel);   // 1 when it was disabled

// The main loop's service: SndServiceNow once 51 ms or more have passed since it last ran, else 0.
std::int16_t SndService();
// Serves the streams, ends finished streamed plays, steps the fades and serves every channel of the mask;
// 1 when a channel still has voices.
std::int16_t SndServiceNow();
