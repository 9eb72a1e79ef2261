// The script sound player "RDitty": single sounds, albums and random choices from wave files or "WAVE"
// resources, with volume and repeat, raising "start" as each pass is heard and "finished" when it is idle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OMIStream.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "OMWaveSound.h"

// Provided by the program: a new stream over resource `id` of type `tag` in its resource module, or null.
// The caller deletes it.
OMIStream* findResource(std::uint16_t id, const char* tag);

class RDitty : public OMScriptableObject {
public:
    // Takes the resource file text from the next call parameter.
    RDitty();
    ~RDitty() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    // Deletes both slots' sounds and streams and returns to idle.
    void reset();
    // Plays resource `id` of type `tag` once (volume, count and hold are popped as for "resSingle").
    std::int32_t playResource(const char* tag, const char* id);
    void setVolume(std::int32_t v);
    void setRepeat(std::int32_t n);
    void setCache(std::int32_t flag);
    void stop();
    std::int32_t status() const { return state; }

    // The class's registry record; referring to it links the class into a program.
    static OMSR classRecord;

    // Two slots used in turn, so the sound that just finished is never deleted inside its own finish hook.
    // The stream is declared first so that it outlives its sound.
    struct Slot {
        std::unique_ptr<OMIStream> stream;
        std::unique_ptr<OMWaveSound> sound;
        std::int32_t volume = 100;
        std::int32_t playCount = 1;
    };
    Slot slots[2];
    std::string resFile;
    std::string tag;
    std::string lastName;
    std::string currentName;
    // The names of an album or random choice, separated by single blanks, at most 255 characters.
    std::string nameList;
    // 0 wave files, 1 resources, 2 pre-mix.
    std::int32_t mode = 0;
    std::int32_t remaining = 0;
    std::int32_t current = 0;
    // 0 idle, 1 a single (or random) sound, 2 an album.
    std::int32_t state = 0;
    std::int32_t cache = -1;
    std::int32_t hold = 0;
    // The album's next word in the name list.
    std::size_t albumNext = 0;

private:
    void waveSingle();
    void waveAlbum();
    void wavePreMix();
    void resPreMex();
    void startPreMix() {}
    void resSingle();
    void resAlbum();
    void stopVerb() { stop(); }
    void pauseVerb();
    void resumeVerb();
    void randomWave();
    void randomRes();
    void getVolume(OMArg buffer);
    void setVolumeText(OMArg text);
    void getResFile(OMArg buffer);
    void setResFile(OMArg text);
    void getRepeat(OMArg buffer);
    void setRepeatText(OMArg text);
    void getStatus(OMArg buffer);
    void setCacheText(OMArg text);

    // What loading a name came to. A missing resource raises "finished", whose handler (or the completion
    // link) may delete the player: then nothing of it may be touched again on the way out.
    enum class Load { failed, playing, deleted };

    Load playSingle();
    std::int32_t playAlbum();
    std::int32_t playRandom();
    Load nextAlbumTrack();
    std::int32_t collectNames();
    Load playName(const std::string& name);
    // A new stream for the name in the current mode; null when there is none.
    OMIStream* openSource(const std::string& name);
    void hookUp(OMWaveSound* sound);
    // Deletes the slot's sound and stream.
    static void dropSound(Slot& slot);
    // Empties the current slot: no sound, one play, no plays remaining.
    void releaseSlot();
    void onStart();
    void onFinished();
    // Raises "finished" and runs the completion; false when either deleted the player.
    bool raiseFinished();
};
