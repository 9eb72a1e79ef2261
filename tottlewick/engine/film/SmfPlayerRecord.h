// The player record shared by the player's files: one relocatable block, the command table behind it.
#pragma once

#include <cstdint>

#include "File.h"
#include "MemHandle.h"
#include "Rect.h"
#include "SmfCommands.h"
#include "SmfDecode.h"
#include "SmfFormat.h"
#include "SmfPlayer.h"
#include "SndManager.h"

constexpr std::uint32_t kSmfStarted = 1;
constexpr std::uint32_t kSmfRunning = 2;
constexpr std::uint32_t kSmfHeld = 4;  // running, but its clock stands while its sound cannot advance

// The header's sizes and the buffers' addresses (while locked) are in film; the commands' persistent
// values and the walk's position in commands.
struct SmfPlayerRecord {
    std::uint32_t flags;
    SmfFilmBuffers film;
    MemHandle track[kSmfTracks];
    MemHandle frame;
    MemHandle audio;
    SmfCommandState commands;
    Point position;
    std::uint16_t rate;
    std::uint32_t reserved;
    std::int16_t channel;
    SndVoiceHandle older, newer;
    std::uint32_t clock;  // start time while running, elapsed milliseconds while stopped or held
    std::uint32_t duration;
    std::uint32_t entries;
    std::uint32_t* table() { return reinterpret_cast<std::uint32_t*>(this + 1); }
};

// Locks a player's record for one call.
class SmfAccess {
public:
    explicit SmfAccess(SmfPlayer player)
        : player_(player), record_(player ? static_cast<SmfPlayerRecord*>(MemHandleLock(player)) : nullptr) {}
    ~SmfAccess() {
        if (record_) MemHandleUnlock(player_);
    }
    SmfAccess(const SmfAccess&) = delete;
    SmfAccess& operator=(const SmfAccess&) = delete;
    explicit operator bool() const { return record_ != nullptr; }
    SmfPlayerRecord* operator->() const { return record_; }
    SmfPlayerRecord& operator*() const { return *record_; }

private:
    SmfPlayer player_;
    SmfPlayerRecord* record_;
};

void smfLockBuffers(SmfPlayerRecord& r);
void smfUnlockBuffers(SmfPlayerRecord& r);
bool smfChannelValid(const SmfPlayerRecord& r);
// Queues the block at the slot to play on the player's channel.
void smfQueueBlock(SmfPlayerRecord& r);
// The frame rectangle moved by the drawing position.
Rect smfMovedRect(const SmfPlayerRecord& r);
std::uint32_t smfElapsed(const SmfPlayerRecord& r);
// Turns the clock word between start time and elapsed time as the film's clock starts or stops running.
void smfTurnClock(SmfPlayerRecord& r);
bool smfFinished(const SmfPlayerRecord& r, std::uint32_t elapsed);
void smfStop(SmfPlayerRecord& r);
