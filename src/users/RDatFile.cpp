// The data store: slots searched by name, variables created in free slots, cells, arrays, the dump and
// the variable file.
#include "RDatFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

#include "OMSystemUtilities.h"
#include "SoundFlags.h"
#include "VariableFile.h"

namespace {

constexpr std::size_t kFileNameLimit = 255;
constexpr unsigned kAlertFlags = 0x3000;

std::string upperCase(const char* text) {
    std::string name(text ? text : "");
    name.resize(std::min(name.size(), kFileNameLimit));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

RDatFile::RDatFile(std::int32_t capacity, const char* fileName)
    : slots_(static_cast<std::size_t>(std::clamp(capacity, 1, kRDatFileMaxCapacity))), fileName_(upperCase(fileName)) {
    if (fileName_.empty()) return;
    std::vector<std::uint8_t> bytes;
    if (readFileBytes(fileName_, bytes)) used_ = readVariableFile(bytes.data(), bytes.size(), slots_);
    saved_ = writeVariableFile(slots_, used_);
}

// An unchanged store leaves its file alone: another store on the same file may have written it since.
RDatFile::~RDatFile() {
    forgetSoundFlagStore(this);
    if (!fileName_.empty() && writeVariableFile(slots_, used_) != saved_) static_cast<void>(saveVariables());
}

bool RDatFile::storable(const char* name) {
    return std::strlen(name) < kRDataTextSize && std::strcmp(name, kFreeSlotName) != 0;
}

// The walk ends at a free slot once every used slot before it has been counted.
std::int32_t RDatFile::find(const char* name) {
    firstFree_ = -1;
    if (used_ == 0) {
        firstFree_ = 0;
        return -1;
    }
    std::int32_t counted = 0;
    for (std::int32_t i = 0; i < capacity(); ++i) {
        const RData& data = slots_[static_cast<std::size_t>(i)];
        if (!data.isFree()) {
            ++counted;
            if (std::strcmp(data.name(), name) == 0) return i;
        } else if (firstFree_ < 0) {
            firstFree_ = newVarStart_ = i;
            if (counted == used_) break;
        }
    }
    return -1;
}

void RDatFile::setVariable(const char* name, const char* value) {
    const std::int32_t found = find(name);
    if (found >= 0) {
        slots_[static_cast<std::size_t>(found)].setValue(value);
    } else if (firstFree_ >= 0 && storable(name)) {
        slots_[static_cast<std::size_t>(firstFree_)].set(name, value);
        ++used_;
    }
}

bool RDatFile::createFrom(std::int32_t start, const char* name, const char* value) {
    for (std::int32_t i = start; i < capacity(); ++i) {
        RData& data = slots_[static_cast<std::size_t>(i)];
        if (!data.isFree()) continue;
        data.set(name, value);
        ++used_;
        return true;
    }
    return false;
}

void RDatFile::newVariable(const char* name, const char* value) {
    if (!storable(name) || createFrom(newVarStart_, name, value) || newVarStart_ == 0) return;
    newVarStart_ = 0;
    static_cast<void>(createFrom(0, name, value));
}

void RDatFile::removeVariable(const char* name) {
    const std::int32_t found = find(name);
    if (found < 0) return;
    slots_[static_cast<std::size_t>(found)].reset();
    --used_;
}

const char* RDatFile::getVariable(const char* name) const {
    for (const RData& data : slots_)
        if (std::strcmp(data.name(), name) == 0) return data.value();
    return kFreeSlotName;
}

// Sets cell i, creating the variable with the value " " in the first free slot when it is missing.
void RDatFile::setCellOf(const char* name, std::int32_t i, char ch) {
    std::int32_t found = find(name);
    if (found < 0 && firstFree_ >= 0 && storable(name)) {
        found = firstFree_;
        slots_[static_cast<std::size_t>(found)].set(name, " ");
        ++used_;
    }
    if (found >= 0) static_cast<void>(slots_[static_cast<std::size_t>(found)].setCell(ch, i));
}

void RDatFile::stepCell(const char* name, std::int32_t i, int step) {
    const std::int32_t found = find(name);
    const char current = found >= 0 ? slots_[static_cast<std::size_t>(found)].cell(i) : ' ';
    setCellOf(name, i, static_cast<char>(current + step));
}

void RDatFile::incrementCell(const char* name, std::int32_t i) { stepCell(name, i, 1); }

void RDatFile::decrementCell(const char* name, std::int32_t i) { stepCell(name, i, -1); }

void RDatFile::createArray(const char* name, std::int32_t count, const char* fill) {
    const std::string value(kArrayBlockCells, fill[0]);
    for (std::int32_t b = 0; b <= count / kArrayBlockCells; ++b)
        newVariable(arrayBlockName(name, b).c_str(), value.c_str());
}

std::string RDatFile::arrayBlockName(const char* name, std::int32_t block) {
    const std::int32_t first = block * kArrayBlockCells;
    return name + std::to_string(first) + "to" + std::to_string(first + kArrayBlockCells - 1);
}

// One line per slot: " %3d) <name> = <value> modified <asctime>".
void RDatFile::dump() const {
    std::string name = fileName_;
    const std::size_t dat = name.find(".DAT");
    if (dat != std::string::npos) name.replace(dat, 4, ".TXT");
    std::FILE* file = std::fopen(name.c_str(), "wt+");
    if (!file) {
        alertBox("Unable to open dump file", kAlertFlags, nullptr);
        return;
    }
    std::fprintf(file, "# of used variables = %4d \n", static_cast<int>(used_));
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const RData& data = slots_[i];
        const std::time_t modified = data.modified();
        const std::tm* local = std::localtime(&modified);
        std::fprintf(file, " %3d) %-32s", static_cast<int>(i), data.name());
        std::fprintf(file, " = %-32s", data.value());
        std::fprintf(file, " modified %s", local ? std::asctime(local) : "\n");
    }
    std::fclose(file);
}

bool RDatFile::saveVariables() {
    std::string bytes = writeVariableFile(slots_, used_);
    if (!writeFileBytes(fileName_, bytes)) return false;
    saved_ = std::move(bytes);
    return true;
}
