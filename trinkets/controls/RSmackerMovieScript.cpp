// The movie trinket's script face: the factory, describe, the data properties, the signal verbs and the
// playback summary read word by word or text by text.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "RSmackerMovie.h"
#include "smackw32.h"

namespace {

// Pops name, x, y, extraBuffer (empty: -1), usePalette (empty: 1) and the collecting switch ("1": on).
OMScriptableObject* makeMovie() {
    const std::string name = popParameter();
    const std::int32_t x = std::atoi(popParameter());
    const std::int32_t y = std::atoi(popParameter());
    const char* extra = popParameter();
    const std::int32_t extraBuffer = *extra ? std::atoi(extra) : -1;
    const char* palette = popParameter();
    const std::int32_t usePalette = *palette ? std::atoi(palette) : 1;
    const bool collecting = std::string(popParameter()) == "1";
    auto* movie = new RSmackerMovie(name.c_str(), x, y, nullptr, extraBuffer, usePalette, 0, 1);
    if (collecting) movie->setCollecting(true);
    return movie;
}

// The summary's texts by read index; 16 and 17 have none.
constexpr const char* kSummaryTexts[] = {
    "Total playback time in milliseconds (not including open time).",
    "Milliseconds*100 per frame (15 frames/sec = 6666).",
    "Time to open the file.",
    "Total frames actually played.",
    "Frames that were skipped to keep up with the audio.",
    "Total number of sound skips",
    "Time necessary to blit to the screen.",
    "Time necessary to read from the device.",
    "Time necessary to decompress the frames.",
    "Time necessary to read from the device during SmackWaits (normally idle time).",
    "Speed of the device in bytes/second (usually around 2x the spin speed).",
    "Time in milliseconds of the slowest frame.",
    "Time in milliseconds of the second slowest frame.",
    "The number of the slowest frame.",
    "The number of the second slowest frame.",
    "The size of the average frame in bytes.",
    "",
    "",
    "The highest amount of memory used to playback this animation.",
    "Total amount of memory allocated for the extra buffer.",
    "Highest amount of data used in the extra buffer."};
constexpr std::int32_t kSummaryReads = 21;
constexpr std::int32_t kSummaryWords = 19;

// Reads 0-15 are words 0-15, reads 18-20 words 16-18; the rest have no word.
std::int32_t summaryWordOf(std::int32_t read) {
    if (read >= 0 && read <= 15) return read;
    if (read >= 18 && read < kSummaryReads) return read - 2;
    return -1;
}

void writeUnsigned(OMArg buffer, std::uint32_t value) {
    static_cast<void>(writePropertyText(buffer, std::to_string(value).c_str()));
}

// A read index: the popped parameter when one was given, else the running one, which then advances.
std::int32_t nextRead(std::int32_t& index) {
    const char* given = popParameter();
    if (*given) index = std::atoi(given);
    return index++;
}

}  // namespace

OMSR RSmackerMovie::classRecord{"RSmackerMovie", makeMovie};

void RSmackerMovie::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%s %d %d %ld %d %d", name.c_str(), static_cast<int>(bounds.left),
                  static_cast<int>(bounds.top), static_cast<long>(extraBuffer), static_cast<int>(usePalette),
                  ownCanvas ? 1 : 0);
}

void RSmackerMovie::registerProperties() {
    using Text = void (RSmackerMovie::*)(OMArg);
    struct Property { const char* name; Text set; Text get; };
    static constexpr Property kProperties[] = {
        {"frame", &RSmackerMovie::setFrameText, &RSmackerMovie::getFrameText},
        {"frames", nullptr, &RSmackerMovie::getFramesText},
        {"rate", nullptr, &RSmackerMovie::getRateText},
        {"height", nullptr, &RSmackerMovie::getHeightText},
        {"width", nullptr, &RSmackerMovie::getWidthText},
        {"summary", nullptr, &RSmackerMovie::getSummaryText},
        {"summaryText", nullptr, &RSmackerMovie::getSummaryTextText},
        {"collecting", &RSmackerMovie::setCollectingText, &RSmackerMovie::getCollectingText}};
    for (const Property& p : kProperties) {
        const OMLinkToObj<RSmackerMovie> set(this, nullptr, p.set), get(this, nullptr, p.get);
        addDataProperty(p.name, p.set ? &set : nullptr, &get);
    }
    const OMLinkToObj<RSmackerMovie> start(this, &RSmackerMovie::start), stop(this, &RSmackerMovie::stop),
        release(this, &RSmackerMovie::release), add(this, &RSmackerMovie::addSignalsVerb),
        remove(this, &RSmackerMovie::removeSignalsVerb);
    addDefaultMethodProperty(&start);
    addMethodProperty("start", &start);
    addMethodProperty("stop", &stop);
    addMethodProperty("release", &release);
    addMethodProperty("addSignals", &add);
    addMethodProperty("removeSignals", &remove);
    for (const char* event : {"finished", "signal", "mouseUp", "mouseDown", "dblClick"}) addEventProperty(event);
}

void RSmackerMovie::getFrameText(OMArg buffer) { writeUnsigned(buffer, movie ? movie->FrameNum + 1 : 0); }
void RSmackerMovie::setFrameText(OMArg text) {
    if (movie) SmackGoto(movie, static_cast<std::uint32_t>(integerOf(text)));
}
void RSmackerMovie::getFramesText(OMArg buffer) { writeUnsigned(buffer, movie ? movie->Frames : 0); }
// A movie without a frame time reads 0 rather than dividing by it.
void RSmackerMovie::getRateText(OMArg buffer) {
    writeUnsigned(buffer, movie && movie->MSPerFrame ? 100000 / movie->MSPerFrame : 0);
}
void RSmackerMovie::getHeightText(OMArg buffer) { writeUnsigned(buffer, movie ? movie->Height : 0); }
void RSmackerMovie::getWidthText(OMArg buffer) { writeUnsigned(buffer, movie ? movie->Width : 0); }
void RSmackerMovie::getCollectingText(OMArg buffer) { writeInteger(buffer, ownCanvas ? 1 : 0); }
void RSmackerMovie::setCollectingText(OMArg text) { setCollecting(integerOf(text) != 0); }

void RSmackerMovie::takeSummary() {
    if (summaryIndex != -1 || !movie) return;
    if (!summary) summary = new std::uint32_t[kSummaryWords];
    SmackSummary(movie, reinterpret_cast<SmackSum*>(summary));
    summaryIndex = summaryTextIndex = 0;
}

void RSmackerMovie::getSummaryText(OMArg buffer) {
    takeSummary();
    const std::int32_t word = summaryWordOf(nextRead(summaryIndex));
    writeUnsigned(buffer, summary && word >= 0 ? summary[word] : 0);
}

void RSmackerMovie::getSummaryTextText(OMArg buffer) {
    takeSummary();
    const std::int32_t read = nextRead(summaryTextIndex);
    const bool known = summary && read >= 0 && read < kSummaryReads;
    static_cast<void>(writePropertyText(buffer, known ? kSummaryTexts[read] : ""));
}

// -1 adds every frame and ends the list; n adds frame n - 1 (frame 0 for n below 1).
void RSmackerMovie::addSignalsVerb() {
    for (const char* p = popParameter(); *p; p = popParameter()) {
        const std::int32_t n = std::atoi(p);
        if (n == -1) {
            for (std::int32_t frame = 0; movie && frame < static_cast<std::int32_t>(movie->Frames); ++frame) addSignal(frame);
            return;
        }
        addSignal(std::max(n - 1, 0));
    }
}

// -1 removes every entry and ends the list; n removes frame n - 1.
void RSmackerMovie::removeSignalsVerb() {
    for (const char* p = popParameter(); *p; p = popParameter()) {
        const std::int32_t n = std::atoi(p);
        if (n == -1) {
            signals.clear();
            nextSignal = 0;
            return;
        }
        removeSignal(std::max(n - 1, 0));
    }
}

// nextSignal keeps standing on the same entry as entries come and go before it.
void RSmackerMovie::addSignal(std::int32_t frame) {
    const auto at = std::lower_bound(signals.begin(), signals.end(), frame);
    if (at != signals.end() && *at == frame) return;
    if (static_cast<std::size_t>(at - signals.begin()) < nextSignal) ++nextSignal;
    signals.insert(at, frame);
}

// Removing the entry nextSignal stands on moves it to the following one.
void RSmackerMovie::removeSignal(std::int32_t frame) {
    const auto at = std::lower_bound(signals.begin(), signals.end(), frame);
    if (at == signals.end() || *at != frame) return;
    if (static_cast<std::size_t>(at - signals.begin()) < nextSignal) --nextSignal;
    signals.erase(at);
}
