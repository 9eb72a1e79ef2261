// PRS resource files: golden bytes, the PRX and PRD forms, the writer side, folders and damaged files.
#include <tuple>

#include "EngineTestSupport.h"
#include "ResFolder.h"

namespace {

const std::vector<PrsResource> kThree = {
    {"XPK", 7, "seven", 0}, {"STR", 1, "one", 0x10}, {"XPK", 2, std::string(100, 'b'), 0}};

using PrsFileTest = PrsTest;

std::string withBytes(std::string bytes, std::size_t at, const std::string& patch) {
    return bytes.replace(at, patch.size(), patch);
}

// One resource 'STR' 1 holding "AB", worked out byte by byte from the file layout: text, 5 zeros, 0x1A,
// 12 signature bytes, the counter; type, id, 16 reserved bytes, flags, block length 30, data.
std::string goldenPrs(char counter) {
    return std::string("PRS Format Resource File\r\n\0\0\0\0\0\x1A", 32) + std::string(15, '\0') + counter +
           std::string("STR\0\0\x01", 6) + std::string(18, '\0') + std::string("\0\0\0\x1E" "AB", 6);
}

TEST_F(PrsFileTest, GoldenFileFromTheBuilderAndTheWriterReadsBack) {
    EXPECT_EQ(buildPrs({{"STR", 1, "AB"}}), goldenPrs(0));
    std::string path = folder.file("g.prs");
    FileClose(PrsCreate(path.c_str(), nullptr));
    std::int16_t slot = PrsOpen(path.c_str(), kPrsKeepOpen | kPrsWritable, nullptr);
    EXPECT_EQ(PrsAdd(slot, PrsBlockHeader{resType("STR"), 1, {}, 0, 30}, "AB"), kPrsErrNone);
    PrsClose(slot);
    EXPECT_EQ(readWholeFile(path), goldenPrs(1)) << "the add bumps the change counter to 1";
    slot = PrsOpen(make("read.prs", goldenPrs(0)).c_str(), 0, nullptr);
    PrsRef ref = PrsFind(slot, resType("str"), 1);
    ASSERT_NE(ref, 0u) << "types compare normalised";
    EXPECT_EQ(PrsGetOffset(ref), 76u);
    EXPECT_EQ(data(ref), "AB");
}

TEST_F(PrsFileTest, HeaderRulesAndSmallestFiles) {
    struct Case { const char* name; std::string bytes; const char* signature; bool opens; std::uint16_t count;
                  std::string sid3; };
    std::string signed_ = prsHeader(0, "TOTTLE");
    const std::vector<Case> cases = {
        {"exactly 48 bytes", prsHeader(5), nullptr, true, 0, "<absent>"},
        {"signature matches", signed_, "TOTTLE", true, 0, "<absent>"},
        {"signature differs", signed_, "TOTTL", false, 0, ""},
        {"text not examined", std::string(26, 'z') + prsHeader(0).substr(26), nullptr, true, 0, "<absent>"},
        {"block of length 28", prsHeader(0) + prsBlock({"SID", 3, ""}), nullptr, true, 1, ""},
        {"deleted block", prsHeader(0) + prsBlock({std::string(4, '\0'), 3, "xx"}), nullptr, true, 1, "<absent>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int16_t slot = PrsOpen(make("h.prs", c.bytes).c_str(), 0, c.signature);
        EXPECT_EQ((Both{slot != 0, slot ? 0 : PrsGetError()}), Both(c.opens, c.opens ? 0 : kPrsErrNotPrs));
        if (!slot) continue;
        EXPECT_EQ((Both{PrsGetCount(slot), PrsFind(slot, 0, 3)}), Both(c.count, 0)) << "type zero is never found";
        EXPECT_EQ(dataOf(slot, "SID", 3), c.sid3);
        PrsClose(slot);
        DeleteFileA(folder.file("h.prd").c_str());
    }
}

TEST_F(PrsFileTest, ListIsSortedFlagsAreKeptUseCountsSaturateAndSlotsRunOut) {
    std::int16_t slot = PrsOpen(make("s.prs", buildPrs(kThree)).c_str(), 0, nullptr);
    ASSERT_NE(slot, 0);
    // Types compare as 32-bit values with the first character lowest: "XPK" (0x004B5058) before "STR".
    std::vector<std::pair<ResType, std::uint16_t>> listed;
    for (std::uint16_t n = 0; PrsRef ref = PrsGetNth(slot, n); ++n) listed.emplace_back(PrsGetType(ref), PrsGetId(ref));
    EXPECT_EQ(listed, (decltype(listed){{resType("XPK"), 2}, {resType("XPK"), 7}, {resType("STR"), 1}}));
    PrsRef str = PrsFind(slot, resType("STR"), 1);
    EXPECT_EQ(data(str), "one");
    EXPECT_EQ(PrsGetFlags(str), 0x30) << "a stored resource (0x10) is marked read once its data is in";
    EXPECT_EQ(PrsUnload(str), 0);
    EXPECT_EQ(Both(PrsIsLoaded(str), PrsGetFlags(str)), Both(0, 0x10)) << "unloaded, the read mark goes";
    EXPECT_EQ((Both{PrsFind(slot, resType("XPK"), 3), PrsGetError()}), Both(0, kPrsErrNotFound));
    // Use counts saturate; an invalid reference reports the top count.
    PrsRef ref = PrsFind(slot, resType("XPK"), 7);
    EXPECT_EQ((Both{PrsDecUseCount(ref), PrsGetUseCount(0x00990001)}), Both(0xFFFF, 0xFFFF));
    PrsSetUseCount(ref, 0xFFFE);
    EXPECT_EQ((Both{PrsIncUseCount(ref), PrsGetUseCount(ref)}), Both(0xFFFF, 0xFFFE));
    std::string path = folder.file("s.prs");  // ten slots at most
    for (int i = 1; i < kPrsSlots; ++i) ASSERT_NE(PrsOpen(path.c_str(), 0, nullptr), 0);
    EXPECT_EQ((Both{PrsOpen(path.c_str(), 0, nullptr), PrsGetError()}), Both(0, kPrsErrNoMemory));
}

TEST_F(PrsFileTest, PrxSiblingServesEveryResource) {
    make("Global.PRS", buildPrs({{"XMV", 4, "from prs"}}));
    make("Global.PRX", buildPrx({{"XMV", 4, "from prx"}, {"XMV", 5, "only prx"}}));
    std::int16_t slot = PrsOpen(folder.file("Global.PRS").c_str(), 0, nullptr);
    EXPECT_EQ((Texts{dataOf(slot, "XMV", 4), dataOf(slot, "XMV", 5)}), (Texts{"from prx", "only prx"}));
    EXPECT_EQ(PrsGetOffset(PrsFind(slot, resType("XMV"), 4)), 168u + 24u * 16u + 48u + 28u)
        << "stored offsets count from the embedded PRS file";
    EXPECT_FALSE(fileExists(folder.file("Global.PRD"))) << "a PRX file needs no cache";
    char name[kFilePathSize];
    auto sibling = [&](const char* path, char kind) { return PrsSiblingName(path, kind, name) ? name : "-"; };
    EXPECT_EQ((Texts{sibling("a\\b.pRd", 'X'), sibling("a\\b.prs", 'D'), sibling("a\\b.prx", 'D')}),
              (Texts{"a\\b.pRX", "a\\b.prD", "-"}));
}

TEST_F(PrsFileTest, PrdCacheIsWrittenTrustedAndRebuiltWhenItNoLongerMatches) {
    std::string path = make("c.prs", buildPrs(kThree, 9));
    PrsClose(PrsOpen(path.c_str(), kPrsKeepOpen, nullptr));
    std::string prd = readWholeFile(folder.file("c.prd"));
    EXPECT_EQ(prd, withBytes(prsIndexImage(kThree, 9), 0, prsBe16(kPrsKeepOpen)))
        << "the cache is the index image in stored form, the open mode in its first two bytes";
    // A cache that matches the file is used as it is: here its entry for STR 1 is shifted by one byte, and
    // its list runs STR 1, XPK 7, XPK 2 (entries 2, 1, 3) instead of in (type, id) order.
    std::string shifted = withBytes(prd, 168 + 24 + 8, prsBe32(48 + 33 + 28 + 1));
    const std::pair<std::size_t, std::uint16_t> links[] = {{144, 2}, {168, 3}, {192, 1}, {216, 0}};
    for (auto [at, next] : links) shifted = withBytes(shifted, at, prsBe16(next));
    writeWholeFile(folder.file("c.prd"), shifted);
    std::int16_t slot = PrsOpen(path.c_str(), kPrsKeepOpen, nullptr);
    EXPECT_EQ((Texts{dataOf(slot, "STR", 1), dataOf(slot, "XPK", 2)}), (Texts{"neX", std::string(100, 'b')}));
    PrsClose(slot);
    // One with another change counter is not: the file is scanned again and the cache rewritten.
    std::string stale = prd;
    stale[137] = 8;
    writeWholeFile(folder.file("c.prd"), stale);
    PrsClose(PrsOpen(path.c_str(), kPrsKeepOpen, nullptr));
    EXPECT_EQ(readWholeFile(folder.file("c.prd")), prd);
}

TEST_F(PrsFileTest, ReplaceInPlaceLeavesAFreeBlockOrMovesToTheEnd) {
    std::string path = make("w.prs", buildPrs({{"XPK", 1, std::string(100, 'a')}, {"XPK", 2, "tail"}}));
    std::int16_t slot = PrsOpen(path.c_str(), kPrsKeepOpen | kPrsWritable, nullptr);
    ASSERT_EQ(PrsReplace(slot, PrsBlockHeader{resType("XPK"), 1, {}, 0, 28 + 60}, std::string(60, 'c').data()),
              kPrsErrNone);
    ASSERT_EQ(PrsReplace(slot, PrsBlockHeader{resType("XPK"), 2, {}, 0, 28 + 2}, "zz"), kPrsErrNone)
        << "4 to 2 bytes: too little room for a free block";
    PrsClose(slot);
    // XPK 1 rewritten in place with a free block of 40 after its 60 bytes (12 old bytes stay behind it);
    // XPK 2 deleted (type zeroed) and added again at the end, each step bumping the counter.
    std::string expected = prsHeader(2) + prsBlock({"XPK", 1, std::string(60, 'c')}) + std::string(4, '\0') +
                           prsBe16(0) + std::string(16, '\0') + prsBe16(0) + prsBe32(40) + std::string(12, 'a') +
                           std::string(4, '\0') + prsBlock({"XPK", 2, "tail"}).substr(4) + prsBlock({"XPK", 2, "zz"});
    EXPECT_EQ(readWholeFile(path), expected);
    slot = PrsOpen(path.c_str(), 0, nullptr);
    EXPECT_EQ(PrsGetCount(slot), 4u) << "the free block and the deleted block are indexed under type zero";
    EXPECT_EQ((Texts{dataOf(slot, "XPK", 1), dataOf(slot, "XPK", 2)}), (Texts{std::string(60, 'c'), "zz"}));
}

TEST_F(PrsFileTest, AddDeleteAndCompact) {
    std::string path = make("d.prs", buildPrs(kThree));
    std::int16_t slot = PrsOpen(path.c_str(), kPrsKeepOpen | kPrsWritable, nullptr);
    const PrsBlockHeader header{resType("XPK"), 7, {}, 0, 29};  // one byte of data
    // The writer's results are its error word too.
    EXPECT_EQ((Both{PrsAdd(slot, header, "x"), PrsGetError()}), Both(kPrsErrExists, kPrsErrExists));
    EXPECT_EQ(PrsDelete(slot, resType("XPK"), 7), kPrsErrNone);
    EXPECT_EQ((Both{PrsDelete(slot, resType("XPK"), 7), PrsGetError()}), Both(kPrsErrNotFound, kPrsErrNotFound));
    EXPECT_EQ(PrsAdd(slot, header, "x"), kPrsErrNone) << "a deleted resource can be added again";
    EXPECT_EQ(dataOf(slot, "XPK", 7), "x");
    PrsClose(slot);
    slot = PrsOpen(path.c_str(), 0, nullptr);
    EXPECT_EQ((Both{PrsAdd(slot, header, "x"), PrsGetError()}), Both(kPrsErrWrite, kPrsErrWrite))
        << "a file opened for reading takes no writes";
    PrsClose(slot);
    // Compaction drops the deleted block, and reads and writes the file named, never its PRX sibling.
    const std::string prx = make("d.PRX", buildPrx({{"XMV", 4, "from prx"}}));
    EXPECT_EQ(PrsCompact(path.c_str()), kPrsErrNone);
    EXPECT_EQ(readWholeFile(path), prsHeader(2) + prsBlock({"XPK", 2, std::string(100, 'b')}) +
                                       prsBlock({"XPK", 7, "x"}) + prsBlock({"STR", 1, "one", 0x10}));
    EXPECT_FALSE(fileExists(folder.file("PRSTemp.zzz")));
    EXPECT_EQ(PrsCompact(prx.c_str()), kPrsErrNotPrs) << "a PRX file is no PRS file";
    EXPECT_EQ(readWholeFile(prx), buildPrx({{"XMV", 4, "from prx"}}));
}

// ---- damaged files: every one gives an error code or a sound index, never a crash or a hang ----

// The file is written as "bad.prs", or "bad.prx" when prx; error 0: it opens, with every resource of kThree readable.
struct Damage { std::string name, file; bool prx; std::int16_t error; };

std::vector<Damage> damagedFiles() {
    std::string good = buildPrs(kThree);
    std::vector<Damage> cases;
    for (std::size_t cut : {0u, 1u, 26u, 31u, 32u, 47u})
        cases.push_back({"cut at " + std::to_string(cut), good.substr(0, cut), false, kPrsErrNotPrs});
    for (std::size_t cut : {49u, 60u, 75u, 76u, 80u, 82u, 100u, 110u, 150u, 165u, 200u, 235u})
        cases.push_back({"cut at " + std::to_string(cut), good.substr(0, cut), false, kPrsErrChain});
    const std::uint32_t lengths[] = {0, 1, 27, 34, 1000, 0x7FFFFFFF, 0xFFFFFFFF};
    for (std::uint32_t length : lengths) {
        cases.push_back({"first block length " + std::to_string(length), withBytes(good, 72, prsBe32(length)), false,
                         kPrsErrChain});
        cases.push_back({"last block length " + std::to_string(length),
                         withBytes(good, good.size() - 128 + 24, prsBe32(length)), false, kPrsErrChain});
    }
    for (char mark : {'\0', '\x1B', 'e'})
        cases.push_back({"marker byte " + std::to_string(int(mark)), withBytes(good, 31, std::string(1, mark)), false,
                         kPrsErrNotPrs});
    std::string image = prsIndexImage(kThree);
    // Entries 1-3 are the blocks XPK 7, STR 1, XPK 2, listed 3 -> 1 -> 2; entries 4-16 are free. Each PRX below
    // has one field of its index changed, and still opens with every resource.
    const std::size_t e1 = 168, e2 = e1 + 24, e3 = e2 + 24, e16 = 144 + 24 * 16;
    const std::tuple<const char*, std::size_t, std::string> edits[] = {
        {"list cycles", e2, prsBe16(3)},           {"list points at itself", e2, prsBe16(2)},
        {"list leaves the capacity", e3, prsBe16(400)}, {"free list cycles", e16, prsBe16(4)},
        {"free list runs into the list", e16, prsBe16(1)}, {"in-use count too high", 140, prsBe16(9)},
        {"in-use count too low", 140, prsBe16(1)},     {"change counter differs", 134, prsBe32(1)},
        {"offset past the end", e1 + 8, prsBe32(0x10000)}, {"offset inside the header", e1 + 8, prsBe32(10)},
        {"length past the end", e2 + 20, prsBe32(0xFFFFFFF0)}, {"entry 0 past the capacity", 144, prsBe16(0xFFFF)}};
    for (const auto& [name, at, bytes] : edits) cases.push_back({name, withBytes(image, at, bytes) + good, true, 0});
    cases.push_back({"list in another order", withBytes(withBytes(withBytes(withBytes(image, 144, prsBe16(2)), e2,
                                                                            prsBe16(1)), e1, prsBe16(3)), e3,
                                                        prsBe16(0)) + good, true, 0});
    cases.push_back({"capacity beyond the file", withBytes(image, 138, prsBe16(0xFFF0)) + good, true, kPrsErrNotPrs});
    cases.push_back({"index only", image, true, kPrsErrNotPrs});
    cases.push_back({"index cut short", image.substr(0, 100), true, kPrsErrNotPrs});
    cases.push_back({"empty PRX", "", true, kPrsErrNotPrs});
    cases.push_back({"PRX with a broken chain", image + good.substr(0, 100), true, kPrsErrChain});
    return cases;
}

TEST_F(PrsFileTest, DamagedFilesGiveErrorCodesAndDamagedCachesAreReplaced) {
    for (const Damage& c : damagedFiles()) {
        SCOPED_TRACE(c.name);
        std::string path = make(c.prx ? "bad.prx" : "bad.prs", c.file);
        std::int16_t slot = PrsOpen(path.c_str(), 0, nullptr);
        if (c.error != 0) {
            EXPECT_EQ((Both{slot, PrsGetError()}), Both(0, c.error));
        } else {
            ASSERT_NE(slot, 0) << PrsGetError();
            EXPECT_EQ(PrsGetCount(slot), 3u);
            EXPECT_EQ((Texts{dataOf(slot, "XPK", 7), dataOf(slot, "STR", 1), dataOf(slot, "XPK", 2)}),
                      (Texts{"seven", "one", std::string(100, 'b')}));
            PrsClose(slot);
        }
        DeleteFileA(path.c_str());
        DeleteFileA(folder.file("bad.prd").c_str());
    }
    // A damaged cache is replaced.
    std::string path = make("p.prs", buildPrs(kThree));
    std::string image = prsIndexImage(kThree);
    const std::vector<std::pair<std::string, std::string>> caches = {
        {"cyclic list", withBytes(image, 168 + 24, prsBe16(3))}, {"cut short", image.substr(0, 200)},
        {"longer than its capacity", image + "x"},
        {"offset past the end", withBytes(image, 168 + 24 + 8, prsBe32(5000))},
    };
    for (const auto& [name, cache] : caches) {
        SCOPED_TRACE(name);
        make("p.prd", cache);
        std::int16_t slot = PrsOpen(path.c_str(), 0, nullptr);
        EXPECT_EQ(dataOf(slot, "XPK", 7), "seven");
        PrsClose(slot);
        EXPECT_EQ(readWholeFile(folder.file("p.prd")), image);
    }
}

TEST_F(PrsFileTest, FolderNamesAndSearchTree) {
    std::string dir = folder.file("res");
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\5.sub").c_str(), nullptr);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"12.xpk", "twelve"}, {"12", "no type"}, {"abc.XPK", "no digit"}, {"12.TOOLONG", "long type"},
        {"3sid", "three"},    {"40.a.Map", "forty"}, {"7.smf", "seven"}, {std::string(28, '1') + ".dib", "long name"},
        {"9.DiB", "nine"}};
    for (const auto& [name, bytes] : files) writeWholeFile(dir + "\\" + name, bytes);
    std::vector<FileRef> held;  // a full file table hides no entry
    while (FileRef ref = FileOpen(folder.file("res\\7.smf").c_str(), kFileRead)) held.push_back(ref);
    FolderIndex* index = FolderOpen(dir.c_str());
    for (FileRef ref : held) FileClose(ref);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(FolderGetCount(index), 5);
    const std::vector<std::tuple<const char*, std::uint16_t, std::string>> found = {
        {"XPK", 12, "twelve"}, {"SID", 3, "three"}, {"MAP", 40, "forty"}, {"SMF", 7, "seven"}, {"DIB", 9, "nine"}};
    for (const auto& [type, id, bytes] : found) {
        const std::int16_t entry = FolderFind(index, resType(type), id);
        ASSERT_EQ((Both{entry >= 0, FolderLoad(index, entry)}), Both(1, 0)) << type;
        PlatBlock block = FolderGetBlock(index, entry);
        EXPECT_EQ(std::string(static_cast<const char*>(PlatMemLock(block)), FolderGetLength(index, entry)), bytes);
        PlatMemUnlock(block);
        EXPECT_EQ((Results{FolderFindByBlock(index, block), FolderUnload(index, entry), !FolderGetBlock(index, entry)}),
                  (Results{entry, 0, 1}));
    }
    EXPECT_EQ((Results{FolderFind(index, resType("XPK"), 13), FolderFind(index, resType("XP"), 12),
                       FolderUnload(index, 99)}),
              (Results{-1, -1, 1}));
    FolderClose(index);
    EXPECT_EQ(FolderOpen(folder.file("missing").c_str()), nullptr);
}

}  // namespace
