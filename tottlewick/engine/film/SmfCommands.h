// The SMF command walker: runs the due entries of a command table, consuming each command's operands and
// keeping the values that persist from command to command; the player (or any other host) does the work.
//
// Command entry (32 bits), then one operand entry per set flag, in the order 1, 2, 4, 8:
//
//   31    28 27    24 23    20 19    16 15                             0
//   +-------+--------+--------+--------+--------------------------------+
//   | type  | track  | unused | flags  | delay (ms after the previous)  |
//   +-------+--------+--------+--------+--------------------------------+
//
//   type 0 load (flag 1 load size), 1 append (flag 1 load size),
//        2 frame (1 codec tag, 2 origin x<<16|y, 4 size w<<16|h, 8 data offset),
//        3 audio block (1 codec tag, 2 block length); 4-15 ignored.
#pragma once

#include <cstdint>

#include "Rect.h"

enum class SmfCommandType : std::uint8_t { load = 0, append = 1, frame = 2, audio = 3 };

struct SmfCommandWord {
    std::uint16_t delay;
    std::uint8_t type;
    std::uint8_t track;
    std::uint8_t flags;
};
SmfCommandWord SmfDecodeEntry(std::uint32_t entry);

// What persists between commands, and where the walk stands.
struct SmfCommandState {
    std::uint32_t frameTag = 0;
    Rect frameRect = {0, 0, 0, 0};
    std::uint32_t frameOffset = 0;
    std::uint32_t loadSize = 0;
    std::uint32_t audioTag = 0;
    std::uint32_t blockLength = 0;  // of the current audio block, in sample frames
    std::uint32_t lastTime = 0;     // the time of the last executed command
    std::uint32_t next = 0;         // index of the next command entry
};

class SmfCommandHost {
public:
    virtual ~SmfCommandHost() = default;
    // Before each due command (the player serves its sound channel here).
    virtual void beforeCommand() {}
    // Load or append loadSize bytes into the track; false ends the pass (the command counts as executed).
    virtual bool load(int track, bool empty, std::uint32_t loadSize) = 0;
    // Before an audio block's operands are read (the player waits for its older play here).
    virtual void beforeAudio() {}
    // A frame from the track's data at frameOffset; the walker sets the offset back to 0 afterwards.
    virtual void frame(int track, const SmfCommandState& state) = 0;
    virtual void audio(int track, const SmfCommandState& state) = 0;
};

enum class SmfWalkEnd { waiting, exhausted, stopped };

// Executes every entry due at `elapsed`: waiting when the next entry is not yet due, exhausted when no
// entry is left, stopped when a load failed or a command's operands run past the table's end (the
// remaining entries are then given up).
SmfWalkEnd SmfRunDue(const std::uint32_t* table, std::uint32_t count, std::uint32_t elapsed,
                     SmfCommandState* state, SmfCommandHost* host);
