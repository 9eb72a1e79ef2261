// Running the due entries of an SMF command table.
#include "SmfCommands.h"

namespace {

constexpr int kOperandFlags[4] = {1, 2, 4, 8};

std::int16_t high16(std::uint32_t v) { return static_cast<std::int16_t>(v >> 16); }
std::int16_t low16(std::uint32_t v) { return static_cast<std::int16_t>(v); }
std::int16_t sum16(int a, int b) { return static_cast<std::int16_t>(a + b); }

// Operand values by flag bit position; false when the table ends before them.
bool takeOperands(const std::uint32_t* table, std::uint32_t count, std::uint8_t flags, SmfCommandState* state,
                  std::uint32_t operands[4]) {
    for (int i = 0; i < 4; ++i) {
        if (!(flags & kOperandFlags[i])) continue;
        if (state->next >= count) {
            state->next = count;
            return false;
        }
        operands[i] = table[state->next++];
    }
    return true;
}

void applyFrameOperands(std::uint8_t flags, const std::uint32_t operands[4], SmfCommandState* state) {
    Rect& r = state->frameRect;
    if (flags & 1) state->frameTag = operands[0];
    if (flags & 2) {
        const int width = r.right - r.left, height = r.bottom - r.top;
        r.left = high16(operands[1]);
        r.top = low16(operands[1]);
        r.right = sum16(r.left, width);
        r.bottom = sum16(r.top, height);
    }
    if (flags & 4) {
        r.right = sum16(r.left, high16(operands[2]));
        r.bottom = sum16(r.top, low16(operands[2]));
    }
    if (flags & 8) state->frameOffset = operands[3];
}

// Executes one command whose entry has been taken; false ends the pass.
bool execute(const std::uint32_t* table, std::uint32_t count, SmfCommandWord word, SmfCommandState* state,
             SmfCommandHost* host) {
    std::uint32_t operands[4] = {};
    switch (static_cast<SmfCommandType>(word.type)) {
    case SmfCommandType::load:
    case SmfCommandType::append:
        if (!takeOperands(table, count, word.flags, state, operands)) return false;
        if (word.flags & 1) state->loadSize = operands[0];
        return host->load(word.track, word.type == 0, state->loadSize);
    case SmfCommandType::frame:
        if (!takeOperands(table, count, word.flags, state, operands)) return false;
        applyFrameOperands(word.flags, operands, state);
        host->frame(word.track, *state);
        state->frameOffset = 0;
        return true;
    case SmfCommandType::audio:
        host->beforeAudio();
        if (!takeOperands(table, count, word.flags, state, operands)) return false;
        if (word.flags & 1) state->audioTag = operands[0];
        if (word.flags & 2) state->blockLength = operands[1];
        host->audio(word.track, *state);
        return true;
    }
    return true;
}

}  // namespace

SmfCommandWord SmfDecodeEntry(std::uint32_t entry) {
    return {static_cast<std::uint16_t>(entry), static_cast<std::uint8_t>(entry >> 28),
            static_cast<std::uint8_t>(entry >> 24 & 0x0F), static_cast<std::uint8_t>(entry >> 16 & 0x0F)};
}

SmfWalkEnd SmfRunDue(const std::uint32_t* table, std::uint32_t count, std::uint32_t elapsed,
                     SmfCommandState* state, SmfCommandHost* host) {
    while (state->next < count) {
        const SmfCommandWord word = SmfDecodeEntry(table[state->next]);
        if (elapsed < state->lastTime + word.delay) return SmfWalkEnd::waiting;
        state->lastTime += word.delay;
        host->beforeCommand();
        ++state->next;
        if (!execute(table, count, word, state, host)) return SmfWalkEnd::stopped;
    }
    return SmfWalkEnd::exhausted;
}
