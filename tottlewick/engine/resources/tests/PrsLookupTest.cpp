// PRS look-ups where the indexes have edges of their own: a (type, id) held twice, in a scanned file and in a
// stored index listed in no key order; deletions that hand the key on; one memory block held by two entries.
#include "EngineTestSupport.h"

namespace {

// XPK 5 three times ("xpk" normalises to XPK). As 32-bit values with the first character lowest, the
// types order by their third character here: SND (D) < XPK (K) < STR (R).
const std::vector<PrsResource> kTwice = {
    {"XPK", 5, "first"}, {"STR", 1, "s"}, {"XPK", 5, "second"}, {"SND", 9, "x"}, {"xpk", 5, "third"}};

struct PrsLookupTest : PrsTest {
    static std::vector<std::string> listed(std::int16_t slot) {
        std::vector<std::string> texts;
        for (std::uint16_t n = 0; n < PrsGetCount(slot); ++n) texts.push_back(data(PrsGetNth(slot, n)));
        return texts;
    }
    // Each deletion of XPK 5 hands the key to the next listed holder, until none is left.
    static void deletionsFollowTheList(std::int16_t slot, const std::vector<std::string>& holders) {
        for (const std::string& holder : holders) {
            EXPECT_EQ(dataOf(slot, "XPK", 5), holder);
            EXPECT_EQ(PrsDelete(slot, resType("xpk"), 5), kPrsErrNone) << holder;
        }
        EXPECT_EQ((Both{PrsFind(slot, resType("XPK"), 5), PrsGetError()}), Both(0, kPrsErrNotFound));
    }
};

TEST_F(PrsLookupTest, ScannedFileFindsTheFirstOfEqualKeysInFileOrder) {
    std::int16_t slot = PrsOpen(make("twice.prs", buildPrs(kTwice)).c_str(), kPrsKeepOpen | kPrsWritable, nullptr);
    ASSERT_NE(slot, 0);
    EXPECT_EQ(listed(slot), (std::vector<std::string>{"x", "first", "second", "third", "s"}));
    deletionsFollowTheList(slot, {"first", "second", "third"});
    EXPECT_EQ(PrsAdd(slot, PrsBlockHeader{resType("XPK"), 5, {}, 0, kPrsBlockHeaderSize + 6}, "fourth"), kPrsErrNone);
    EXPECT_EQ((Texts{dataOf(slot, "XPK", 5), dataOf(slot, "SND", 9)}), (Texts{"fourth", "x"}));
}

// The PRX index lists entry 3 ("second") before entry 1 ("first"): the list, not the key or the entry
// number, decides. Entry n's link is at 168 + 24 (n - 1); entry 0's at 144.
TEST_F(PrsLookupTest, StoredIndexFindsTheFirstListedWhateverItsOrder) {
    std::string image = prsIndexImage(kTwice, 0, 0);
    const std::pair<std::size_t, std::uint16_t> links[] = {{144, 4}, {168 + 24 * 3, 3}, {168 + 24 * 2, 1},
                                                           {168, 2}, {168 + 24 * 1, 5}, {168 + 24 * 4, 0}};
    for (auto [at, next] : links) image.replace(at, 2, prsBe16(next));
    std::string prx = make("twice.prx", image + buildPrs(kTwice));
    std::int16_t slot = PrsOpen(prx.c_str(), kPrsKeepOpen | kPrsWritable, nullptr);
    ASSERT_NE(slot, 0);
    EXPECT_EQ(listed(slot), (std::vector<std::string>{"x", "second", "first", "s", "third"}));
    deletionsFollowTheList(slot, {"second", "first", "third"});
}

// SND 2 is listed before STR 1. The block is shared once each way round: given to the first listed
// entry after the second had it, and to the second after the first had it.
TEST_F(PrsLookupTest, ABlockHeldByTwoEntriesIsFoundAtTheFirstListed) {
    std::int16_t slot = PrsOpen(make("two.prs", buildPrs({{"STR", 1, "one"}, {"SND", 2, "two"}})).c_str(), 0,
                                nullptr);
    PrsRef snd = PrsFind(slot, resType("SND"), 2), str = PrsFind(slot, resType("STR"), 1);
    for (bool firstTakesIt : {true, false}) {
        SCOPED_TRACE(firstTakesIt ? "the first listed takes the block" : "the second listed takes it");
        PrsRef holder = firstTakesIt ? str : snd, taker = firstTakesIt ? snd : str;
        PlatBlock shared = PrsReadData(holder);
        PlatBlock own = PrsReadData(taker);
        ASSERT_TRUE(shared && own);
        EXPECT_EQ(PrsFindByBlock(slot, own), taker);
        PrsSetBlock(taker, shared);
        PlatMemFree(&own);
        EXPECT_EQ(PrsFindByBlock(slot, shared), snd);
        PrsSetBlock(taker, nullptr);
        EXPECT_EQ(PrsFindByBlock(slot, shared), holder);
        PrsUnload(holder);
        EXPECT_EQ((Both{PrsFindByBlock(slot, shared), PrsGetError()}), Both(0, kPrsErrNotFound));
    }
}

}  // namespace
