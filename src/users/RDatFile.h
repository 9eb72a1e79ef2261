// "RDatFile": the script data store of named text variables, each with its time stamp, whose values
// double as arrays of one-character cells; its script face also moves the user data file "quomb.dat"
// in and out of the store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OMSR.h"
#include "OMScriptableObject.h"
#include "RData.h"

constexpr std::int32_t kRDatFileMaxCapacity = 1000;
// Arrays longer than one value are split into variables of 30 cells.
constexpr std::int32_t kArrayBlockCells = 30;

class RDatFile : public OMScriptableObject {
public:
    // capacity is clamped to 1..1000. A variable file of that name (uppercased) is loaded when it exists
    // and written back by the destructor when the store changed since; an empty name has no file.
    RDatFile(std::int32_t capacity, const char* fileName);
    ~RDatFile() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    // Index of the used slot of that name (case-sensitive), or -1; notes the first free slot met.
    std::int32_t find(const char* name);
    // Sets the variable, creating it in the first free slot when it does not exist.
    void setVariable(const char* name, const char* value);
    // Creates a variable in the first free slot from where the last search left off, without looking
    // for an existing one.
    void newVariable(const char* name, const char* value);
    void removeVariable(const char* name);
    // The value, or "empty" when there is no such variable.
    const char* getVariable(const char* name) const;
    // Cell i plus or minus one; a missing variable is created with cell i at 33 or 31.
    void incrementCell(const char* name, std::int32_t i);
    void decrementCell(const char* name, std::int32_t i);
    // The variable of array block b: "<name><b*30>to<b*30+29>".
    static std::string arrayBlockName(const char* name, std::int32_t block);
    // Blocks "<name>0to29", "<name>30to59", ... up to count / 30, each 30 copies of fill's first character.
    void createArray(const char* name, std::int32_t count, const char* fill);
    // The text listing of every slot, in the variable file's name with ".DAT" as ".TXT".
    void dump() const;
    // Writes the variable file; false when it cannot be written.
    bool saveVariables();
    // loadMRData and writeMRData: the user data file into and out of the variables.
    void loadUserData();
    void writeUserData();

    std::int32_t usedCount() const { return used_; }
    std::int32_t capacity() const { return static_cast<std::int32_t>(slots_.size()); }
    const RData& slot(std::int32_t i) const { return slots_[static_cast<std::size_t>(i)]; }
    const std::string& fileName() const { return fileName_; }

    // The class's registry record ("RDatFile"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    // A name that a slot can hold: shorter than 32 characters and not the free-slot mark.
    static bool storable(const char* name);
    // Gives the variable `value` in the first free slot from `start`; false when none is free there.
    bool createFrom(std::int32_t start, const char* name, const char* value);
    void stepCell(const char* name, std::int32_t i, int step);
    void setCellOf(const char* name, std::int32_t i, char ch);
    void publishUserData();
    void foldUserData();

    // Script face (RDatFileScript.cpp).
    void dumpVerb();
    void incSubVarVerb();
    void decSubVarVerb();
    void createArrayVerb();
    void writeMRDataVerb();
    void loadMRDataVerb();
    void registerUserVerb();
    void setVar(OMArg text);
    void getVar(OMArg buffer);
    void setSubVar(OMArg text);
    void getSubVar(OMArg buffer);
    void setArrayVar(OMArg text);
    void getArrayVar(OMArg buffer);
    void setNewVar(OMArg text);
    void getVarTime(OMArg buffer);
    void getDeltaTime(OMArg buffer);
    void setTickets(OMArg text);
    void getTickets(OMArg buffer);
    void setBonusTicket(OMArg text);
    void getBonusTicket(OMArg buffer);
    void getSfxFlag(OMArg buffer);
    void getMusicFlag(OMArg buffer);
    void getVoiceFlag(OMArg buffer);
    void publishPrizeFlags();

    std::int32_t used_ = 0;
    std::int32_t firstFree_ = 0;
    std::int32_t newVarStart_ = 0;
    std::vector<RData> slots_;
    std::string fileName_;
    // The variable file as last loaded or saved.
    std::string saved_;
};
