// The sound library's interface: a wave-out driver with sample handles that play whole buffers or two
// alternating buffers, mixed on the library's own thread. Every call is __stdcall, the convention of the
// Windows interfaces the titles link against, and is exported under its plain name.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#ifdef MSS32_BUILDING_DLL
#define MSS_API extern "C"
#else
#define MSS_API extern "C" __declspec(dllimport)
#endif
#define MSS_CALL __stdcall

typedef struct AilDriver* MssDriver;
typedef struct AilSample* MssSample;

// Sample types for AIL_set_sample_type (bit 0: 16-bit, bit 1: stereo), and its flag for signed data.
constexpr std::int32_t kMssMono8 = 0, kMssMono16 = 1, kMssStereo8 = 2, kMssStereo16 = 3;
constexpr std::uint32_t kMssSigned = 1;
// Sample status words.
constexpr std::uint32_t kMssDone = 2, kMssPlaying = 4, kMssStopped = 8;

MSS_API void MSS_CALL AIL_startup();
// Closes every open driver; safe when none is open or the library never started.
MSS_API void MSS_CALL AIL_shutdown();
// Records a numbered preference (0-63) and returns its previous value.
MSS_API std::int32_t MSS_CALL AIL_set_preference(std::uint32_t number, std::int32_t value);

// Opens the wave-out device `deviceId` in `format` (PCM, 1-2 channels, 8 or 16 bits); 0 on success, with
// the driver in *driver and the wave-out handle in *waveOut when that is not null; non-zero on failure.
MSS_API std::int32_t MSS_CALL AIL_waveOutOpen(MssDriver* driver, HWAVEOUT* waveOut, std::int32_t deviceId,
                                               const WAVEFORMATEX* format);
MSS_API void MSS_CALL AIL_waveOutClose(MssDriver driver);
// Bytes a sample buffer of this rate and type needs to outlast the device's queue.
MSS_API std::int32_t MSS_CALL AIL_minimum_sample_buffer_size(MssDriver driver, std::int32_t rate,
                                                              std::int32_t type);

// A sample handle of the driver (16 per driver), null when none is left.
MSS_API MssSample MSS_CALL AIL_allocate_sample_handle(MssDriver driver);
// Ends what plays and resets type (mono 8-bit unsigned), rate (the output rate), volume 127, pan 64,
// loop count 1 and the data.
MSS_API void MSS_CALL AIL_init_sample(MssSample sample);
MSS_API void MSS_CALL AIL_set_sample_type(MssSample sample, std::int32_t type, std::uint32_t flags);
MSS_API void MSS_CALL AIL_set_sample_address(MssSample sample, const void* start, std::uint32_t length);
MSS_API void MSS_CALL AIL_set_sample_playback_rate(MssSample sample, std::int32_t rate);
// 0-127.
MSS_API void MSS_CALL AIL_set_sample_volume(MssSample sample, std::int32_t volume);
// 0 (left) - 127 (right), 64 centre.
MSS_API void MSS_CALL AIL_set_sample_pan(MssSample sample, std::int32_t pan);
// Passes through the data; 0 plays it for ever.
MSS_API void MSS_CALL AIL_set_sample_loop_count(MssSample sample, std::int32_t count);
MSS_API void MSS_CALL AIL_start_sample(MssSample sample);
// Stops in place; AIL_resume_sample goes on from there.
MSS_API void MSS_CALL AIL_stop_sample(MssSample sample);
MSS_API void MSS_CALL AIL_resume_sample(MssSample sample);
MSS_API void MSS_CALL AIL_end_sample(MssSample sample);
MSS_API std::uint32_t MSS_CALL AIL_sample_status(MssSample sample);
// Byte offset of the play cursor in the data that plays now.
MSS_API std::uint32_t MSS_CALL AIL_sample_position(MssSample sample);

// Double buffering: the buffer (0 or 1) that may be loaded now, or -1; a load starts the sample, a load of
// 0 bytes ends the data, and the status turns done once both buffers have played. The data is read where
// it lies until it has played.
MSS_API std::int32_t MSS_CALL AIL_sample_buffer_ready(MssSample sample);
MSS_API void MSS_CALL AIL_load_sample_buffer(MssSample sample, std::uint32_t index, const void* buffer,
                                              std::uint32_t length);

// Gives the library time; the mixing itself runs on the library's thread.
MSS_API void MSS_CALL AIL_serve();

// Test seam: drivers opened after this call use a virtual device that plays at the pace of `clock`
// (milliseconds) and keeps its output; null returns to wave-out.
typedef std::uint32_t (*MssClock)();
MSS_API void MSS_CALL MssTestUseVirtualDevice(MssClock clock);
// Moves up to `size` bytes of a virtual driver's consumed output to `out`; returns the count.
MSS_API std::uint32_t MSS_CALL MssTestTakeOutput(MssDriver driver, void* out, std::uint32_t size);
