// The movie trinket: a Smacker movie played on the trinket window through smackw32, decoded straight into
// the window's off-screen canvas with its own task in place of the window's (direct mode), or into a
// canvas of its own that the window composes like any trinket (collecting mode). Raises "signal" at the
// frames a script listed and "finished" at the end. Script class "RSmackerMovie".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OMColorRecord.h"
#include "OMSR.h"
#include "OMTrinket.h"

struct Smack;
class OMMemCanvas;
class OMTask;

class RSmackerMovie : public OMTrinket {
public:
    // Opens "rsc\" + name, else the CD root + name; when neither exists the program shows the missing-CD
    // alert and exits with code 1. A movie the library refuses leaves the object without one.
    RSmackerMovie(const char* movieName, std::int32_t x, std::int32_t y, const OMLink* finish, std::int32_t extra,
                  std::int32_t followPalette, std::int32_t preloadFile, std::int32_t soundOn);
    ~RSmackerMovie() override;
    RSmackerMovie(const RSmackerMovie&) = delete;
    RSmackerMovie& operator=(const RSmackerMovie&) = delete;

    OMScriptableObject* clone() override { return nullptr; }
    // "name x y extraBuffer usePalette collecting".
    void describe(char* buffer, std::size_t size) override;
    void registerProperties() override;
    void showCursor() override {}
    void showDownCursor() override {}
    // The frame step.
    void tick() override;
    // Collecting mode: the movie's canvas at the trinket's place, within the window's clip.
    void draw() override;

    void start();
    void stop();
    void release();
    void setCollecting(bool on);

    OMTask* playTask = nullptr;
    // Frame numbers (0-based) that raise "signal", ascending; nextSignal indexes the next one awaited.
    std::vector<std::int32_t> signals;
    std::size_t nextSignal = 0;
    std::int32_t preload;
    std::int32_t playing = 0;
    std::int32_t restorePalette = 1;
    std::int32_t usePalette;
    OMMemCanvas* ownCanvas = nullptr;
    OMLink* finishLink = nullptr;
    OMLink* signalLink = nullptr;
    Smack* movie = nullptr;
    std::uint32_t* summary = nullptr;  // 19 words, taken on first read
    std::int32_t summaryIndex = -1;
    std::int32_t summaryTextIndex = -1;
    std::int32_t extraBuffer;
    std::string name;

    // The application's palette hook: hears each new palette of a movie that the window follows, as a
    // 256-entry colour table, before the window takes it. Null (the default) removes it.
    using PaletteHook = void (*)(const OMColorRecord* table);
    static void setPaletteHook(PaletteHook hook);

    // Class-wide: the sound switch, the movies alive, the direct-mode movie, the palette saved at open.
    static std::int32_t movieSound;
    static std::int32_t moviesAlive;
    static RSmackerMovie* directMovie;
    static OMColorRecord savedPalette[256];
    static PaletteHook paletteHook;

    // The class's registry record ("RSmackerMovie"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    // "rsc\" + name, else the CD root + name; the alert and exit code 1 when neither is there.
    static std::string findMovie(const std::string& movieName);
    void followPalette();
    void decodeFrame();
    void showChangedRects();
    // Out of the window's task list goes its update task, in goes a new play task.
    void takeOverUpdate();
    // The window's update task back and run once; the play task gone.
    void giveBackUpdate();
    void raise(const char* event, OMLink* instead);
    void addSignal(std::int32_t frame);
    void removeSignal(std::int32_t frame);
    void takeSummary();

    // Script face.
    void getFrameText(OMArg buffer);
    void setFrameText(OMArg text);
    void getFramesText(OMArg buffer);
    void getRateText(OMArg buffer);
    void getHeightText(OMArg buffer);
    void getWidthText(OMArg buffer);
    void getSummaryText(OMArg buffer);
    void getSummaryTextText(OMArg buffer);
    void getCollectingText(OMArg buffer);
    void setCollectingText(OMArg text);
    void addSignalsVerb();
    void removeSignalsVerb();
};
