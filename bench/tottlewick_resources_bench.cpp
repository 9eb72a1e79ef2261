// Costs of the resource files beside a floor measured in the same run, for files of 2,000 and 20,000
// resources: opening by scanning the blocks, from the PRD cache and as a PRX file, against reading the
// whole file once; a load and release through the manager against copying the same bytes; look-ups in a
// file and in a folder. Then how opening by scan and a look-up of the file's last resource grow from
// the smaller file to the larger (ten times the resources: a scan in O(n log n) grows little more than
// ten times, a look-up in O(log n) or O(1) hardly at all).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "File.h"
#include "Files.h"
#include "MemHandle.h"
#include "PrsFile.h"
#include "PrsWriter.h"
#include "Res.h"
#include "TempFolder.h"
#include "BenchClock.h"

namespace {

void report(const char* what, double usEach, double floorUs) {
    std::printf("%-48s %12.2f us   %8.1fx the floor\n", what, usEach, usEach / floorUs);
}

template <typename Work>
double microsecondsEach(int count, Work work) {
    return secondsEach(count, work) * 1e6;
}

// Types alternate in file order, so the sorted list is not the file's order.
std::vector<PrsResource> resources(int count) {
    std::vector<PrsResource> list;
    for (int i = 0; i < count; ++i)
        list.push_back({i % 2 ? "XPK" : "SND", std::uint16_t(i), std::string(64 + i % 200, char('a' + i % 26))});
    return list;
}

double wholeFileRead(const std::string& path) {
    return microsecondsEach(20, [&](int) {
        FileRef file = FileOpen(path.c_str(), kFileRead);
        std::vector<char> bytes(static_cast<std::size_t>(FileGetSize(file)));
        FileRead(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        FileClose(file);
    });
}

struct Growth {
    double openByScan = 0;
    double deepLookUp = 0;
};

std::string named(const TempFolder& folder, int count, const char* name) {
    return folder.file(std::to_string(count) + name);
}

double opening(const TempFolder& folder, int count) {
    std::string prs = named(folder, count, "big.PRS"), prd = named(folder, count, "big.PRD");
    std::string prx = named(folder, count, "big2.PRX");
    writeWholeFile(prs, buildPrs(resources(count)));
    writeWholeFile(prx, buildPrx(resources(count)));
    const int rounds = count > 5000 ? 5 : 20;
    double floor = wholeFileRead(prs);
    report("read the whole PRS file (floor)", floor, floor);
    double scan = microsecondsEach(rounds, [&](int) {
        DeleteFileA(prd.c_str());
        PrsClose(PrsOpen(prs.c_str(), 0, nullptr));
    });
    report("open by scanning the blocks", scan, floor);
    report("open from the PRD cache",
           microsecondsEach(rounds, [&](int) { PrsClose(PrsOpen(prs.c_str(), 0, nullptr)); }), floor);
    report("open the PRX file", microsecondsEach(rounds, [&](int) { PrsClose(PrsOpen(prx.c_str(), 0, nullptr)); }),
           floor);
    return scan;
}

double loading(const TempFolder& folder, int count) {
    writeResources(named(folder, count, "Folder"), resources(count));
    ResSource file = ResOpenSource(named(folder, count, "big.PRS").c_str(), kResOpenDefault);
    char buffer[512], source[512] = {};
    double floor = microsecondsEach(20000, [&](int i) { std::memcpy(buffer, source, 64 + i % 200); });
    report("copy the bytes of one resource (floor)", floor, floor);
    report("ResLoad + MemHandleFree from the file", microsecondsEach(20000, [&](int i) {
               MemHandle handle = ResLoad(resType(i % 2 ? "XPK" : "SND"), std::uint16_t(i % count));
               MemHandleFree(&handle);
           }), floor);
    const std::uint16_t last = std::uint16_t(count - 1);  // an XPK, the last of the sorted list
    double deep = microsecondsEach(20000, [&](int) { ResGetSize(resType("XPK"), last); });
    report("look-up of the last of the file's sorted list", deep, floor);
    ResCloseSource(file);
    ResSource tree = ResOpenSource(named(folder, count, "Folder").c_str(), kResOpenDefault);
    report("look-up in the folder's search tree",
           microsecondsEach(20000, [&](int) { ResGetSize(resType("XPK"), last); }), floor);
    ResCloseSource(tree);
    return deep;
}

Growth measure(const TempFolder& folder, int count) {
    std::printf("resource files of %d resources\n", count);
    Growth growth;
    growth.openByScan = opening(folder, count);
    growth.deepLookUp = loading(folder, count);
    return growth;
}

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    FileInit();
    {
        TempFolder folder;
        Growth small = measure(folder, 2000);
        Growth large = measure(folder, 20000);
        std::printf("from 2,000 to 20,000 resources: open by scan grows %.1fx, the look-up %.2fx\n",
                    large.openByScan / small.openByScan, large.deepLookUp / small.deepLookUp);
    }
    FileTerm();
    MemTerm();
    return 0;
}
