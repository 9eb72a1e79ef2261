// NE resource modules: headers, shifted offsets, string and numbered types, the name-table variant and
// damaged files.
#include "NeModuleWriter.h"
#include "OMIStreamDLL16.h"
#include "TestSupport.h"

namespace {
// A resource's bytes as the module stores them: padded to whole alignment units.
std::string padded(const std::string& data, std::uint16_t shift) {
    const std::size_t unit = std::size_t{1} << shift;
    return data + std::string((unit - data.size() % unit) % unit, '\0');
}

// WAVE 2 is stored as 0x8002, the other ids plain.
NeModule soundModule(std::uint16_t shift, bool nameTable) {
    return NeModule{shift, nameTable, {{0, "WAVE", {{1, pattern(5000, 1)}, {0x8002, pattern(64, 2)}}},
                                       {10, "", {{7, pattern(300, 3)}}}, {0, "ASEQ", {{1, pattern(48, 4)}}}}};
}

struct NEModuleTest : ::testing::Test {
    void TearDown() override { OMIStreamDLL16::flushInfoCache(); }
    std::string write(const std::string& bytes, const std::string& name = "module.dll") {
        writeWholeFile(folder.file(name), bytes);
        return folder.file(name);
    }
    TempFolder folder;
};

TEST_F(NEModuleTest, ResourcesAreByteExactInWholeAndBlockMode) {
    for (const auto& [shift, nameTable] :
         {std::pair<std::uint16_t, bool>{4, false}, {9, false}, {0, false}, {4, true}}) {
        const std::string path = write(writeNeModule(soundModule(shift, nameTable)).bytes);
        for (const auto& [id, type, data] : {std::tuple{1, "WAVE", pattern(5000, 1)}, {2, "WAVE", pattern(64, 2)},
                                             {7, "RCDATA", pattern(300, 3)}, {1, "ASEQ", pattern(48, 4)}}) {
            for (std::int32_t blockSize : {kStreamWhole, 0, 100}) {
                SCOPED_TRACE(::testing::Message() << "shift " << shift << (nameTable ? " name table " : " ") << type
                                                  << " " << id << " block " << blockSize);
                OMIStreamDLL16 stream(static_cast<std::int16_t>(id), type, path.c_str(), blockSize, nullptr);
                EXPECT_EQ(readAll(stream), padded(data, shift));
            }
        }
    }
}

// String types match by the stored prefix; the name-table variant names its types exactly.
TEST_F(NEModuleTest, StringTypesMatchByPrefixExceptInTheNameTable) {
    const std::tuple<bool, std::int16_t, const char*, std::int32_t> cases[] = {
        {false, 1, "WAVES", 1}, {false, 1, "WAV", 0},   {false, 1, "wave", 0},  {false, 1, "BITMAP", 0},
        {false, 3, "WAVE", 0},  {true, 7, "RCDATA", 1}, {true, 1, "WAVES", 0}, {true, 1, "RRGB", 0}};
    for (const auto& [nameTable, id, type, found] : cases) {
        const std::string path = write(writeNeModule(soundModule(4, nameTable)).bytes, nameTable ? "n.dll" : "t.dll");
        EXPECT_EQ(OMIStreamDLL16::query(id, type, path.c_str()).found, found) << nameTable << " " << type << " " << id;
    }
}

TEST_F(NEModuleTest, DamagedModulesAreRefusedWithoutACrash) {
    const NeLayout good = writeNeModule(soundModule(4, false));
    const NeLayout named = writeNeModule(soundModule(4, true));
    const std::uint32_t table = good.tableOffset;
    // Cut to `truncateTo` bytes (0: kept; 1: empty), then `value` stored at `at` as `width` bytes (0: nothing;
    // -1: as the first name-table entry's length, 0x7FF0 for 0).
    struct Damage { const char* what; const NeLayout& base; std::size_t truncateTo, at; std::uint32_t value; int width; };
    const std::vector<Damage> damages = {
        {"empty file", good, 1, 0, 0, 0},
        {"DOS header only", good, 64, 0, 0, 0},
        {"NE header only", good, good.neOffset + 64, 0, 0, 0},
        {"half the resource table", good, table + good.tableLength / 2, 0, 0, 0},
        {"table without terminator", good, table + good.tableLength - 14, 0, 0, 0},
        {"data cut short", good, good.bytes.size() - 1000, 0, 0, 0},
        {"no MZ", good, 0, 0, 0x5A4E, 2},
        {"relocation table below 0x40", good, 0, 0x18, 0x3E, 2},
        {"no NE", good, 0, good.neOffset, 0x4E45, 2},
        {"NE header past the end", good, 0, 0x3C, 0xFFFFFFF0, 4},
        {"resident names before the table", good, 0, good.neOffset + 0x26, 0x10, 2},
        {"resource table past the end", good, 0, good.neOffset + 0x24, 0xFFF0, 2},
        {"table length past the end", good, 0, good.neOffset + 0x26, 0xFFFF, 2},
        {"shift 16", good, 0, table, 16, 2},
        {"count past the table", good, 0, table + 4, 0x0100, 2},
        {"type name offset past the table", good, 0, table + 2, 0x7FFF, 2},
        {"data offset past the end", good, 0, table + 2 + 8, 0xFFFF, 2},
        {"data length past the end", good, 0, table + 2 + 8 + 2, 0xFFFF, 2},
        {"zero data length", good, 0, table + 2 + 8 + 2, 0, 2},
        {"name table past the end", named, 0, named.tableOffset + 2 + 8, 0xFFFF, 2},
        {"name table without resources", named, 0, named.tableOffset + 4, 0, 2},
        {"name table cut short", named, named.tableOffset + named.tableLength + 8, 0, 0, 0},
        {"name entry longer than the table", named, 0, 0, 0, -1},
        {"name entry of length 3", named, 0, 0, 3, -1},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        std::string bytes = d.base.bytes;
        if (d.truncateTo) bytes.resize(d.truncateTo == 1 ? 0 : d.truncateTo);
        if (d.width == 2) putU16(bytes, d.at, static_cast<std::uint16_t>(d.value));
        if (d.width == 4) putU32(bytes, d.at, d.value);
        if (d.width == -1) {
            // The name table is the first resource's data.
            std::uint16_t unit = 0;
            std::memcpy(&unit, bytes.data() + named.tableOffset + 2 + 8, 2);
            putU16(bytes, static_cast<std::size_t>(unit) << 4, d.value ? static_cast<std::uint16_t>(d.value) : 0x7FF0);
        }
        const std::string path = write(bytes);
        EXPECT_EQ(OMIStreamDLL16::query(1, "WAVE", path.c_str()).found, 0);
        for (std::int32_t blockSize : {kStreamWhole, 0}) {
            OMIStreamDLL16 stream(1, "WAVE", path.c_str(), blockSize, nullptr);
            EXPECT_EQ((std::vector<std::int32_t>{stream.size, stream.read()}), std::vector<std::int32_t>(2, 0));
        }
    }
}

} // namespace
