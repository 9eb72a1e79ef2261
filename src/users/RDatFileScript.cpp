// The script face of "RDatFile": verbs and data properties over the store, the user data block's prize
// flags and sound switches.
#include <cstdio>
#include <ctime>
#include <string>

#include "DataProperties.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinket.h"
#include "RDatFile.h"
#include "SoundFlags.h"
#include "UserData.h"

namespace {

constexpr std::int16_t kBonusTicketBit = 16384;

// Arguments: capacity, variable file name.
OMScriptableObject* makeDatFile() {
    const std::int32_t capacity = integerOf(reinterpret_cast<OMArg>(popParameter()));
    return new RDatFile(capacity, popParameter());
}

const char* textOf(OMArg text) { return text ? reinterpret_cast<const char*>(text) : ""; }
std::int32_t popInteger() { return integerOf(reinterpret_cast<OMArg>(popParameter())); }

void writeText(OMArg buffer, const char* text) { static_cast<void>(writePropertyText(buffer, text)); }

// The one-character text of a cell.
void writeCell(OMArg buffer, char cell) {
    const char text[2] = {cell, '\0'};
    writeText(buffer, text);
}

std::int16_t prizeFlags() { return fieldValue(userData().records[0], kPrizeFlagsOffset); }
void setPrizeFlags(std::int32_t flags) {
    setFieldValue(userData().records[0], kPrizeFlagsOffset, static_cast<std::int16_t>(flags));
}

// The block variable of array element i, and its cell there.
std::string arrayBlock(const char* name, std::int32_t i, std::int32_t* cell) {
    const std::int32_t b = i / kArrayBlockCells;
    *cell = i - b * kArrayBlockCells;
    return RDatFile::arrayBlockName(name, b);
}

}  // namespace

OMSR RDatFile::classRecord{"RDatFile", makeDatFile};

void RDatFile::registerProperties() {
    const std::pair<const char*, void (RDatFile::*)()> verbs[] = {
        {"dump", &RDatFile::dumpVerb},           {"incSubVar", &RDatFile::incSubVarVerb},
        {"decSubVar", &RDatFile::decSubVarVerb}, {"createArray", &RDatFile::createArrayVerb},
        {"writeMRData", &RDatFile::writeMRDataVerb}, {"loadMRData", &RDatFile::loadMRDataVerb},
        {"registerUser", &RDatFile::registerUserVerb}};
    for (const auto& [name, verb] : verbs) {
        const OMLinkToObj<RDatFile> link(this, verb);
        addMethodProperty(name, &link);
    }
    static const DataProperty<RDatFile> data[] = {
        {"var", &RDatFile::setVar, &RDatFile::getVar},
        {"subVar", &RDatFile::setSubVar, &RDatFile::getSubVar},
        {"arrayVar", &RDatFile::setArrayVar, &RDatFile::getArrayVar},
        {"newVar", &RDatFile::setNewVar, nullptr},
        {"varTime", nullptr, &RDatFile::getVarTime},
        {"deltaTime", nullptr, &RDatFile::getDeltaTime},
        {"tickets", &RDatFile::setTickets, &RDatFile::getTickets},
        {"bonusTicket", &RDatFile::setBonusTicket, &RDatFile::getBonusTicket},
        {"sfxFlag", nullptr, &RDatFile::getSfxFlag},
        {"musicFlag", nullptr, &RDatFile::getMusicFlag},
        {"voiceFlag", nullptr, &RDatFile::getVoiceFlag}};
    addDataProperties(this, data);
}

void RDatFile::dumpVerb() { dump(); }

void RDatFile::incSubVarVerb() {
    const std::string name = popParameter();
    incrementCell(name.c_str(), popInteger());
}

void RDatFile::decSubVarVerb() {
    const std::string name = popParameter();
    decrementCell(name.c_str(), popInteger());
}

void RDatFile::createArrayVerb() {
    const std::string name = popParameter();
    const std::int32_t count = popInteger();
    createArray(name.c_str(), count, popParameter());
}

void RDatFile::writeMRDataVerb() { writeUserData(); }
void RDatFile::loadMRDataVerb() { loadUserData(); }
void RDatFile::registerUserVerb() { registerSoundFlagStore(this); }

void RDatFile::setVar(OMArg text) { setVariable(popParameter(), textOf(text)); }
void RDatFile::getVar(OMArg buffer) { writeText(buffer, getVariable(popParameter())); }

void RDatFile::setSubVar(OMArg text) {
    const std::string name = popParameter();
    setCellOf(name.c_str(), popInteger(), textOf(text)[0]);
}

void RDatFile::getSubVar(OMArg buffer) {
    const std::string name = popParameter();
    const std::int32_t i = popInteger();
    const std::int32_t found = find(name.c_str());
    if (found < 0) return writeText(buffer, kFreeSlotName);
    writeCell(buffer, slot(found).cell(i));
}

void RDatFile::setArrayVar(OMArg text) {
    const std::string name = popParameter();
    std::int32_t cell = 0;
    const std::string block = arrayBlock(name.c_str(), popInteger(), &cell);
    const std::int32_t found = find(block.c_str());
    if (found >= 0) static_cast<void>(slots_[static_cast<std::size_t>(found)].setCell(textOf(text)[0], cell));
}

void RDatFile::getArrayVar(OMArg buffer) {
    const std::string name = popParameter();
    std::int32_t cell = 0;
    const std::string block = arrayBlock(name.c_str(), popInteger(), &cell);
    const std::int32_t found = find(block.c_str());
    if (found < 0) return writeText(buffer, kFreeSlotName);
    writeCell(buffer, slot(found).cell(cell));
}

void RDatFile::setNewVar(OMArg text) { newVariable(popParameter(), textOf(text)); }

void RDatFile::getVarTime(OMArg buffer) {
    const std::int32_t found = find(popParameter());
    const std::time_t modified = found >= 0 ? slot(found).modified() : 0;
    const std::tm* local = found >= 0 ? std::localtime(&modified) : nullptr;
    char text[16] = "";
    if (local) std::snprintf(text, sizeof text, "%d/%d", local->tm_mon + 1, local->tm_mday);
    writeText(buffer, text);
}

void RDatFile::getDeltaTime(OMArg buffer) {
    const std::int32_t found = find(popParameter());
    writeInteger(buffer, found >= 0 ? static_cast<std::int32_t>(std::time(nullptr) - slot(found).modified()) : 0);
}

void RDatFile::publishPrizeFlags() { setVariable("uPrizeFlags", std::to_string(prizeFlags()).c_str()); }

void RDatFile::setTickets(OMArg text) {
    setPrizeFlags((prizeFlags() & 0xFF00) | (integerOf(text) & 0xFF));
    publishPrizeFlags();
}

void RDatFile::getTickets(OMArg buffer) { writeInteger(buffer, prizeFlags() & 0xFF); }

void RDatFile::setBonusTicket(OMArg) {
    setPrizeFlags(prizeFlags() | kBonusTicketBit);
    publishPrizeFlags();
}

void RDatFile::getBonusTicket(OMArg buffer) { writeInteger(buffer, prizeFlags() & kBonusTicketBit); }

void RDatFile::getSfxFlag(OMArg buffer) { writeInteger(buffer, sfxFlag()); }
void RDatFile::getMusicFlag(OMArg buffer) { writeInteger(buffer, musicFlag()); }
void RDatFile::getVoiceFlag(OMArg buffer) { writeInteger(buffer, voiceFlag()); }
