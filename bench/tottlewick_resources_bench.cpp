// Costs of the resource files beside a floor measured in the same run: opening a file of 2000 resources by
// scanning its blocks, from its PRD cache and as a PRX file, against reading the whole file once; a load and
// release through the manager against copying the same bytes; and look-ups in a file against a folder.
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

constexpr int kResources = 2000;

void report(const char* what, double usEach, double floorUs) {
    std::printf("%-48s %12.2f us   %8.1fx the floor\n", what, usEach, usEach / floorUs);
}

template <typename Work>
double microsecondsEach(int count, Work work) {
    return secondsEach(count, work) * 1e6;
}

std::vector<PrsResource> resources() {
    std::vector<PrsResource> list;
    for (int i = 0; i < kResources; ++i)
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

void opening(const TempFolder& folder) {
    std::string prs = folder.file("big.PRS"), prd = folder.file("big.PRD");
    writeWholeFile(prs, buildPrs(resources()));
    writeWholeFile(folder.file("big2.PRX"), buildPrx(resources()));
    double floor = wholeFileRead(prs);
    report("read the whole PRS file (floor)", floor, floor);
    report("open by scanning the blocks", microsecondsEach(20, [&](int) {
               DeleteFileA(prd.c_str());
               PrsClose(PrsOpen(prs.c_str(), 0, nullptr));
           }), floor);
    report("open from the PRD cache", microsecondsEach(20, [&](int) { PrsClose(PrsOpen(prs.c_str(), 0, nullptr)); }),
           floor);
    std::string prx = folder.file("big2.PRX");
    report("open the PRX file", microsecondsEach(20, [&](int) { PrsClose(PrsOpen(prx.c_str(), 0, nullptr)); }), floor);
}

void loading(const TempFolder& folder) {
    writeResources(folder.file("Folder"), resources());
    ResSource file = ResOpenSource(folder.file("big.PRS").c_str(), kResOpenDefault);
    char buffer[512], source[512] = {};
    double floor = microsecondsEach(20000, [&](int i) { std::memcpy(buffer, source, 64 + i % 200); });
    report("copy the bytes of one resource (floor)", floor, floor);
    report("ResLoad + MemHandleFree from the file", microsecondsEach(20000, [&](int i) {
               MemHandle handle = ResLoad(resType(i % 2 ? "XPK" : "SND"), std::uint16_t(i % kResources));
               MemHandleFree(&handle);
           }), floor);
    report("look-up deep in the file's sorted list", microsecondsEach(20000, [&](int) {
               ResGetSize(resType("SND"), kResources - 2);
           }), floor);
    ResCloseSource(file);
    ResSource tree = ResOpenSource(folder.file("Folder").c_str(), kResOpenDefault);
    report("look-up in the folder's search tree", microsecondsEach(20000, [&](int) {
               ResGetSize(resType("SND"), kResources - 2);
           }), floor);
    ResCloseSource(tree);
}

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    FileInit();
    {
        TempFolder folder;
        std::printf("resource files of %d resources\n", kResources);
        opening(folder);
        loading(folder);
    }
    FileTerm();
    MemTerm();
    return 0;
}
