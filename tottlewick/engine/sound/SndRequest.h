// The request scheduler: plays are requested per channel (which keeps the channel out of automatic
// choice), armed together (ids loaded or streams prepared) and started together.
#pragma once

#include <cstdint>

#include "MemHandle.h"

// Request flags.
constexpr std::uint16_t kSndRequestLoop = 1;
constexpr std::uint16_t kSndRequestStreamed = 2;
constexpr std::uint16_t kSndRequestFlag4 = 4;  // carried along, not used

void SndRequestInit();
// Drops armed plays and pending requests and stops taking requests until the next SndRequestInit.
void SndRequestTerm();
// 1 when taken: the channel has no request and is not disabled, or the new priority is not below the
// pending one's. The play layer's completion procedure and data go with the request.
std::int16_t SndRequestSample(std::int16_t channel, MemHandle sample, std::uint16_t flags, std::int16_t priority);
std::int16_t SndRequestId(std::int16_t channel, std::uint16_t id, std::uint16_t flags, std::int16_t priority);
// The channel chosen and requested, or -1.
std::int16_t SndRequestAuto(MemHandle sample, std::uint16_t flags, std::int16_t priority);
std::int16_t SndRequestIdAuto(std::uint16_t id, std::uint16_t flags, std::int16_t priority);
void SndRequestCancel(std::int16_t channel);
void SndRequestCancelAll();
// Turns every pending request into an armed play (while sound is enabled).
void SndRequestArmAll();
void SndRequestStartAll();
void SndRequestReleaseAll();
std::uint32_t SndRequestPendingChannels();
std::uint32_t SndRequestArmedChannels();
