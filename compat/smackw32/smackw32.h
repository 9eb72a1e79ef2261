// The video library's interface: Smacker movies opened, decoded frame by frame into a caller's 8-bit
// buffer with the rectangle that changed, paced by the library's clock, their first sound track played on
// a wave-out device of the library's own. Every call is __stdcall, the convention of the Windows
// interfaces the titles link against, and is exported under its plain name.
#pragma once

#include <cstdint>

#ifdef SMACKW32_BUILDING_DLL
#define SMACK_API extern "C"
#else
#define SMACK_API extern "C" __declspec(dllimport)
#endif
#define SMACK_CALL __stdcall

class SmackMovie;

// An open movie. The library writes every field; the caller reads them and clears NewPalette.
struct Smack {
    std::uint32_t Width;
    std::uint32_t Height;
    std::uint32_t Frames;
    std::uint32_t FrameNum;    // the current frame, 0-based
    std::uint32_t MSPerFrame;  // hundredths of a millisecond: 15 frames a second is 6666
    // Set when the current frame's palette differs from the last one shown (always for the first frame).
    // The current frame is read when the movie opens, steps or jumps, so that Palette holds its colours
    // before SmackDoFrame shows it.
    std::uint32_t NewPalette;
    std::uint8_t Palette[768];  // red, green, blue of 256 entries, 0-255
    // The rectangle SmackToBufferRect yields, in the buffer's coordinates.
    std::uint32_t LastRectx;
    std::uint32_t LastRecty;
    std::uint32_t LastRectw;
    std::uint32_t LastRecth;
    SmackMovie* movie;  // the library's own state
};

// The playback summary: 19 words, times in milliseconds of the library's clock.
struct SmackSum {
    std::uint32_t TotalTime;          // since the first frame was shown
    std::uint32_t MS100PerFrame;
    std::uint32_t TotalOpenTime;
    std::uint32_t TotalFrames;        // frames shown
    std::uint32_t SkippedFrames;
    std::uint32_t SoundSkips;
    std::uint32_t TotalBlitTime;
    std::uint32_t TotalReadTime;
    std::uint32_t TotalDecompTime;
    std::uint32_t TotalBackReadTime;
    std::uint32_t TotalReadSpeed;
    std::uint32_t SlowestFrameTime;
    std::uint32_t Slowest2FrameTime;
    std::uint32_t SlowestFrameNum;
    std::uint32_t Slowest2FrameNum;
    std::uint32_t AverageFrameSize;   // bytes
    std::uint32_t HighestMemAmount;
    std::uint32_t TotalExtraMemory;
    std::uint32_t HighestExtraUsed;
};

// SmackOpen flags.
constexpr std::uint32_t kSmackPreloadAll = 0x200;  // read the whole file into memory first
constexpr std::uint32_t kSmackNoSkip = 0x400;      // never skip a frame
constexpr std::uint32_t kSmackTracks = 0xFE000;    // sound tracks 0-6: any of them turns the sound on

// Null for a missing file or one that is not a movie. The extra buffer is not used.
SMACK_API Smack* SMACK_CALL SmackOpen(const char* name, std::uint32_t flags, std::uint32_t extraBuffer);
SMACK_API void SMACK_CALL SmackClose(Smack* smack);
// Where SmackDoFrame puts the frame: frame pixel (x, y) at row top + y and column left + x of a buffer
// of `pitch` bytes a row and `height` rows from `top` on; rows stored bottom-up when `reversed` is not 0.
// Pixels outside the buffer are left out.
SMACK_API void SMACK_CALL SmackToBuffer(Smack* smack, std::int32_t left, std::int32_t top, std::uint32_t pitch,
                                        std::uint32_t height, void* buffer, std::uint32_t reversed);
// Puts the current frame into the buffer (what changed since the frame shown before, all of it after a
// new palette, a jump or a new buffer) and queues its sound while the sound is on; 0.
SMACK_API std::uint32_t SMACK_CALL SmackDoFrame(Smack* smack);
// 1 with the LastRect fields set while a changed rectangle of the last SmackDoFrame remains, then 0.
SMACK_API std::uint32_t SMACK_CALL SmackToBufferRect(Smack* smack, std::uint32_t surface);
// 0 when the next frame is due.
SMACK_API std::uint32_t SMACK_CALL SmackWait(Smack* smack);
// To the next frame; after the last, to frame 0. Without kSmackNoSkip, frames whose successor is already
// due are passed over (never the last).
SMACK_API void SMACK_CALL SmackNextFrame(Smack* smack);
// Makes `frame` the current frame: the movie is decoded up to it without showing or sounding anything.
SMACK_API void SMACK_CALL SmackGoto(Smack* smack, std::uint32_t frame);
// Switches the sound on (1) or off (0); returns whether the movie has sound.
SMACK_API std::uint32_t SMACK_CALL SmackSoundOnOff(Smack* smack, std::uint32_t on);
SMACK_API void SMACK_CALL SmackSummary(Smack* smack, SmackSum* summary);

// Test seam: movies opened after this call pace themselves by `clock` (milliseconds) and play on a
// virtual device that consumes sound at that pace and hands what it consumed to `sink`; null clock
// returns to the system's clock and wave-out.
typedef std::uint32_t(__cdecl* SmackClock)();
typedef void(__cdecl* SmackSoundSink)(const void* bytes, std::uint32_t size);
SMACK_API void SMACK_CALL SmackTestUseVirtualDevice(SmackClock clock, SmackSoundSink sink);
