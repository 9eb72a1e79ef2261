// The scene's background music channel.
#include "Scene.h"

#include "SndFade.h"
#include "SndPlay.h"
#include "SndPlayControl.h"

namespace {

constexpr std::uint16_t kNoChannel = 0xFFFF;
constexpr std::int16_t kMusicPriority = -32767;
constexpr std::uint16_t kMusicVolume = 409;  // of 1024
constexpr std::uint32_t kFadeMs = 1000;

}  // namespace

void Scene::StartMusic(std::uint16_t soundId) {
    const std::int16_t channel = SndPlayStreamLooped(soundId, kMusicPriority, kMusicVolume, 0);
    if (channel < 0) return;
    musicChannel_ = static_cast<std::uint16_t>(channel);
    SndChannelDisable(channel);  // no other sound may take it
}

void Scene::FadeMusicOut() {
    if (musicChannel_ != kNoChannel) SndFadeChannel(static_cast<std::int16_t>(musicChannel_), 0, kFadeMs, nullptr);
}

void Scene::FadeMusicIn() {
    if (musicChannel_ != kNoChannel) {
        SndFadeChannel(static_cast<std::int16_t>(musicChannel_), kMusicVolume, kFadeMs, nullptr);
    }
}

void Scene::StopMusic() {
    if (musicChannel_ == kNoChannel) return;
    const auto channel = static_cast<std::int16_t>(musicChannel_);
    SndChannelEnable(channel);
    SndStopAtEnd(channel);
    musicChannel_ = kNoChannel;
}
