// Finding, making and deleting the sound records of animation cues.
#include "AOSoundRecord.h"

AOSoundRecord* findSoundRecord(const AOSoundRecords& records, std::uint16_t soundId) {
    for (const auto& record : records)
        if (record->soundId == soundId) return record.get();
    return nullptr;
}

AOSoundRecord& soundRecordFor(AOSoundRecords& records, std::uint16_t soundId, OMIStream* (*hook)(std::int16_t)) {
    if (AOSoundRecord* found = findSoundRecord(records, soundId)) return *found;
    auto record = std::make_unique<AOSoundRecord>();
    record->soundId = soundId;
    if (hook) record->data.reset(hook(static_cast<std::int16_t>(soundId)));
    if (record->data) record->sound = std::make_unique<OMWaveSound>(record->data.get(), 1);
    records.push_back(std::move(record));
    return *records.back();
}

namespace {

void silence(const AOSoundRecord& record) {
    if (!record.sound) return;
    record.sound->setStartHook(nullptr);
    record.sound->setFinishHook(nullptr);
}

}  // namespace

void dropSoundRecord(AOSoundRecords& records, std::uint16_t soundId) {
    for (auto at = records.begin(); at != records.end(); ++at) {
        if ((*at)->soundId != soundId) continue;
        silence(**at);
        records.erase(at);
        return;
    }
}

void dropSoundRecords(AOSoundRecords& records) {
    for (const auto& record : records) silence(*record);
    records.clear();
}

bool anySoundPlaying(const AOSoundRecords& records) {
    for (const auto& record : records)
        if (record->playCount != 0) return true;
    return false;
}
