// The generated title through the engine: every (type, id) of TitleIds.h is found in its module's file and
// loads as its type demands, in the real program's start-up on the title's own Global file and disc.
#include <gtest/gtest.h>

#include "AnimRes.h"
#include "AppGlobals.h"
#include "DibColors.h"
#include "GeneratedTitle.h"
#include "MemHandle.h"
#include "Res.h"
#include "ShapeMgr.h"
#include "SmfPlayer.h"
#include "SndParse.h"
#include "TempFolder.h"
#include "TitleIds.h"
#include "TitleProbe.h"

namespace {

bool loadsRaw(ResType type, std::uint16_t id, bool (*check)(const void* bytes, std::uint32_t size)) {
    MemHandle handle = ResLoad(type, id);
    if (!handle) return false;
    const bool ok = check(MemHandleLock(handle), ResGetHandleSize(handle));
    MemHandleUnlock(handle);
    ResReleaseHandle(&handle);
    return ok;
}

bool soundParses(const void* bytes, std::uint32_t size) {
    SndMemorySource source(bytes, size);
    SndParsed parsed;
    return SndParseAiff(source, parsed) == SndStatus::ok;
}

bool filmOpens(std::uint16_t id) {
    FileRef file = 0;
    std::uint32_t offset = 0, size = 0;
    const ResRawRef raw = ResOpenRaw(resType("SMF"), id, &file, &offset, &size);
    if (!raw) return false;
    SmfPlayer player = SmfOpen(file, offset);
    const bool ok = player && SmfGetWidth(player) == 320 && SmfGetHeight(player) == 240;
    SmfClose(&player);
    ResCloseRaw(raw);
    return ok;
}

bool loads(TitleKind kind, std::uint16_t id) {
    const std::string type = titleType(kind);
    if (type == "XPK") {
        ShapeBank bank = ShapeBankLoad(id);
        const bool ok = bank && ShapeBankCount(bank) > 0;
        ShapeBankFree(&bank);
        return ok;
    }
    if (type == "XMV") {
        AnimRes anim = AnimResLoad(id);
        const bool ok = anim && AnimResGetDuration(anim) > 0;
        AnimResFree(&anim);
        return ok;
    }
    if (type == "DIB") {
        MemHandle colours = PalLoadDibColors(id);
        if (!colours) return false;
        MemHandleFree(&colours);
        return true;
    }
    if (type == "AIF") return loadsRaw(resType("AIF"), id, soundParses);
    if (type == "STR") return loadsRaw(resType("STR"), id, [](const void*, std::uint32_t size) { return size > 0; });
    return filmOpens(id);
}

// Each module's file on its own above the early file; the ones that fail are logged.
PROBE_SCENARIO(TitleLoads) {
    int loaded = 0;
    for (const TitleModule& module : kTitleModules) {
        ResSource file = module.onDisc ? ResOpenFile(module.name) : 0;
        if (module.onDisc && !file) probe::log(std::string("no file ") + module.name);
        titleForEachId(module, [&](TitleKind kind, std::uint16_t id) {
            if (loads(kind, id)) ++loaded;
            else probe::log(std::string(module.name) + " " + titleType(kind) + " " + std::to_string(id));
        });
        if (file) ResCloseFile(&file);
    }
    probe::log("loaded " + std::to_string(loaded));
    AppQuit();
}

TEST(GeneratedTitle, EveryListedResourceLoads) {
    int listed = 0;
    for (const TitleModule& module : kTitleModules) titleForEachId(module, [&](TitleKind, std::uint16_t) { ++listed; });
    TempFolder folder;
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    const ProbeResult run = probeRun("TitleLoads", folder.path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.log, (std::vector<std::string>{"door 1", "loaded " + std::to_string(listed), "door 0"})) << run.output;
}

}  // namespace
