// The script sound player: its verbs and data, the two slots, albums, random choices and the events.
#include "RDitty.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "OMIStreamFile.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"

namespace {

constexpr std::size_t kNameListLimit = 255;

OMScriptableObject* makeDitty() { return new RDitty; }

// Players whose "finished" handlers or completions are running: one gone from it afterwards was deleted.
OMList<RDitty>& finishedGuard() {
    static OMList<RDitty> guard;
    return guard;
}

// A count that a sound would ignore (0, or below 0 other than -1 for ever) plays once, as a new sound does.
std::int32_t passesOf(std::int32_t playCount) { return playCount == -1 || playCount > 0 ? playCount : 1; }

std::vector<std::string> wordsOf(const std::string& list) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = std::min(list.find(' ', at), list.size());
        if (end > at) words.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

void writeNumber(OMArg buffer, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    (void)writePropertyText(buffer, text);
}

std::int32_t numberOf(OMArg text) { return std::atoi(reinterpret_cast<const char*>(text)); }

}  // namespace

OMSR RDitty::classRecord{"RDitty", makeDitty};

RDitty::RDitty() : resFile(popParameter()) { std::srand(static_cast<unsigned>(std::time(nullptr))); }

// Out of the guard once for each notification it was deleted in (they nest when a handler plays again).
RDitty::~RDitty() {
    while (finishedGuard().remove(this)) {
    }
    reset();
}

void RDitty::registerProperties() {
    addEventProperty("start");
    addEventProperty("finished");
    const auto verb = [this](const char* name, void (RDitty::*method)()) {
        const OMLinkToObj<RDitty> link(this, method);
        addMethodProperty(name, &link);
    };
    verb("waveSingle", &RDitty::waveSingle);
    verb("waveAlbum", &RDitty::waveAlbum);
    verb("wavePreMix", &RDitty::wavePreMix);
    verb("resPreMex", &RDitty::resPreMex);
    verb("startPreMix", &RDitty::startPreMix);
    verb("resSingle", &RDitty::resSingle);
    verb("resAlbum", &RDitty::resAlbum);
    verb("stop", &RDitty::stopVerb);
    verb("pause", &RDitty::pauseVerb);
    verb("resume", &RDitty::resumeVerb);
    verb("randomWave", &RDitty::randomWave);
    verb("randomRes", &RDitty::randomRes);
    const auto data = [this](const char* name, void (RDitty::*setter)(OMArg), void (RDitty::*getter)(OMArg)) {
        const OMLinkToObj<RDitty> set(this, nullptr, setter), get(this, nullptr, getter);
        addDataProperty(name, setter ? &set : nullptr, getter ? &get : nullptr);
    };
    data("volume", &RDitty::setVolumeText, &RDitty::getVolume);
    data("resFile", &RDitty::setResFile, &RDitty::getResFile);
    data("repeat", &RDitty::setRepeatText, &RDitty::getRepeat);
    const OMLinkToFct ignored(readOnlySetter);
    const OMLinkToObj<RDitty> status(this, nullptr, &RDitty::getStatus);
    addDataProperty("status", &ignored, &status);
    data("cache", &RDitty::setCacheText, nullptr);
}

// The repeat setting (play counts, remaining plays) stays as it was.
void RDitty::reset() {
    lastName.clear();
    for (Slot& slot : slots) dropSound(slot);
    current = 0;
    state = 0;
    mode = 0;
    cache = -1;
    hold = 0;
}

// The sound goes before the stream it reads.
void RDitty::dropSound(Slot& slot) {
    slot.sound.reset();
    slot.stream.reset();
}

void RDitty::releaseSlot() {
    Slot& slot = slots[current];
    dropSound(slot);
    slot.playCount = 1;
    remaining = 0;
}

std::int32_t RDitty::playResource(const char* type, const char* id) {
    tag = type;
    currentName = id;
    mode = 1;
    const Load load = playSingle();
    if (load == Load::deleted) return 0;
    mode = 0;
    return load == Load::playing ? 1 : 0;
}

void RDitty::setVolume(std::int32_t v) {
    if (v == -1) return;
    const std::int32_t volume = std::clamp(v, 0, 100);
    slots[0].volume = slots[1].volume = volume;
    if (slots[current].sound) slots[current].sound->setVolume(volume);
}

void RDitty::setRepeat(std::int32_t n) {
    remaining = n + 1;
    slots[current].playCount = n + 1;
    if (slots[current].sound) (void)slots[current].sound->setRepeat(passesOf(n + 1));
}

void RDitty::setCache(std::int32_t flag) { cache = flag ? -1 : 0; }

// An album is over once stopped: the stopped track's finish hook then loads no further track.
void RDitty::stop() {
    Slot& slot = slots[current];
    if (state == 0 || !slot.sound) return;
    if (state == 2) state = 0;
    if (!slot.sound->stop()) return;
    slots[current].playCount = 1;
    state = 0;
}

void RDitty::waveSingle() {
    mode = 0;
    currentName = popParameter();
    (void)playSingle();
}

void RDitty::waveAlbum() {
    mode = 0;
    (void)playAlbum();
}

void RDitty::wavePreMix() {
    mode = 0;
    (void)collectNames();
    mode = 2;
}

void RDitty::resPreMex() {
    mode = 1;
    (void)collectNames();
    mode = 2;
}

void RDitty::resSingle() {
    const std::string type = popParameter();
    const std::string id = popParameter();
    (void)playResource(type.c_str(), id.c_str());
}

void RDitty::resAlbum() {
    tag = popParameter();
    mode = 1;
    (void)playAlbum();
}

void RDitty::pauseVerb() {
    OMWaveSound* sound = slots[current].sound.get();
    if (state != 0 && sound && !sound->paused) sound->pause();
}

void RDitty::resumeVerb() {
    OMWaveSound* sound = slots[current].sound.get();
    if (state != 0 && sound && sound->paused) sound->resume();
}

void RDitty::randomWave() {
    mode = 0;
    (void)playRandom();
}

void RDitty::randomRes() {
    tag = popParameter();
    mode = 1;
    (void)playRandom();
}

void RDitty::getVolume(OMArg buffer) { writeNumber(buffer, slots[current].volume); }
void RDitty::setVolumeText(OMArg text) { setVolume(numberOf(text)); }
void RDitty::getResFile(OMArg buffer) { (void)writePropertyText(buffer, resFile.c_str()); }
void RDitty::setResFile(OMArg text) { resFile = reinterpret_cast<const char*>(text); }
void RDitty::getRepeat(OMArg buffer) { writeNumber(buffer, remaining); }
void RDitty::setRepeatText(OMArg text) { setRepeat(numberOf(text)); }
void RDitty::getStatus(OMArg buffer) { writeNumber(buffer, state); }
void RDitty::setCacheText(OMArg text) { setCache(numberOf(text)); }

// The name is already current; volume, count and hold follow in the parameters.
RDitty::Load RDitty::playSingle() {
    const std::string volume = popParameter();
    const std::string count = popParameter();
    const std::string held = popParameter();
    if (state != 0) return Load::failed;
    if (currentName != lastName || !slots[current].sound) {
        current ^= 1;
        releaseSlot();
    }
    if (!volume.empty()) setVolume(std::atoi(volume.c_str()));
    slots[current].playCount = 1;
    remaining = 0;
    if (!count.empty()) slots[current].playCount = remaining = std::atoi(count.c_str());
    hold = !held.empty() && std::atoi(held.c_str()) != 0 ? 1 : 0;
    const Load load = playName(currentName);
    if (load != Load::deleted) state = load == Load::playing ? 1 : 0;
    return load;
}

std::int32_t RDitty::collectNames() {
    currentName = popParameter();
    nameList = currentName.size() <= kNameListLimit ? currentName : std::string();
    for (const char* name = popParameter(); *name; name = popParameter()) {
        if (nameList.size() + 1 + std::strlen(name) <= kNameListLimit) nameList += std::string(" ") + name;
    }
    return static_cast<std::int32_t>(wordsOf(nameList).size());
}

std::int32_t RDitty::playAlbum() {
    (void)collectNames();
    if (state != 0) return 0;
    albumNext = 0;
    const Load load = nextAlbumTrack();
    if (load == Load::deleted) return 0;
    state = load == Load::playing ? 2 : 0;
    return state;
}

// The album's next word loads into the current slot; with none left (or one that fails) the album ends.
RDitty::Load RDitty::nextAlbumTrack() {
    releaseSlot();
    const std::vector<std::string> words = wordsOf(nameList);
    if (albumNext < words.size()) {
        currentName = words[albumNext++];
        const Load load = playName(currentName);
        if (load != Load::failed) return load;
    }
    state = 0;
    return Load::failed;
}

// A list whose every word is the name played last plays that name again.
std::int32_t RDitty::playRandom() {
    const std::int32_t n = collectNames();
    if (state != 0 || n == 0) return n;
    const std::vector<std::string> words = wordsOf(nameList);
    std::string word = words[0];
    if (std::any_of(words.begin(), words.end(), [this](const std::string& w) { return w != lastName; })) {
        do word = words[std::size_t(std::rand() % n)];
        while (word == lastName);
    }
    lastName = word;
    releaseSlot();
    const Load load = playName(word);
    if (load != Load::deleted) state = load == Load::playing ? 1 : 0;
    return n;
}

RDitty::Load RDitty::playName(const std::string& name) {
    if (!OMWaveSound::openDevice(1)) return Load::failed;
    Slot& slot = slots[current];
    if (name == lastName && slot.sound) {
        hookUp(slot.sound.get());
        return slot.sound->play(1) ? Load::playing : Load::failed;
    }
    OMIStream* stream = openSource(name);
    if (!stream) return mode == 0 || raiseFinished() ? Load::failed : Load::deleted;
    slot.sound.reset();
    slot.stream.reset(stream);
    slot.sound.reset(new OMWaveSound(stream, 1));
    hookUp(slot.sound.get());
    lastName = name;
    if (hold) {
        hold = 0;
        state = 0;
        return Load::failed;
    }
    return slot.sound->play(1) ? Load::playing : Load::failed;
}

// A resource that is missing or empty is none.
OMIStream* RDitty::openSource(const std::string& name) {
    if (mode == 0) {
        if (!OMIStreamFile::open(name.c_str()).found) return nullptr;
        return new OMIStreamFile(name.c_str(), cache, nullptr);
    }
    OMIStream* stream = findResource(static_cast<std::uint16_t>(std::atoi(name.c_str())), tag.c_str());
    if (stream && stream->size > 0) return stream;
    delete stream;
    return nullptr;
}

void RDitty::hookUp(OMWaveSound* sound) {
    const OMLinkToObj<RDitty> start(this, &RDitty::onStart), finished(this, &RDitty::onFinished);
    sound->setStartHook(&start);
    sound->setFinishHook(&finished);
    sound->setVolume(slots[current].volume);
    (void)sound->setRepeat(passesOf(slots[current].playCount));
}

void RDitty::onStart() { (void)signalEvent("start"); }

// Once per pass of the current sound: a repeated single counts its plays down; an album goes on in the
// other slot.
void RDitty::onFinished() {
    if (state == 1) {
        Slot& slot = slots[current];
        if (slot.playCount == -1) return;
        if (slot.playCount == 1) {
            state = 0;
        } else if (--remaining <= 0) {
            state = 0;
            slot.playCount = 1;
        }
    } else if (state == 2) {
        current ^= 1;
        if (nextAlbumTrack() == Load::deleted) return;
    }
    if (state == 0) (void)raiseFinished();
}

bool RDitty::raiseFinished() {
    finishedGuard().append(this);
    (void)signalEvent("finished");
    if (finishedGuard().contains(this)) fireCompletion();
    return finishedGuard().remove(this) != nullptr;
}
