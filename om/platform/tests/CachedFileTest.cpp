// Cached files: synchronous loads and copies, loader threads driven by main-loop slices, the registry,
// reference counts, failures and the streams over cached files.
#include <chrono>
#include <future>

#include "OMCachedFile.h"
#include "OMIStreamFile.h"
#include "OMTask.h"
#include "TestSupport.h"

namespace {
int completions = 0;
void countCompletion(OMArg) { ++completions; }

// A completion link that counts its living copies: a file deletes its own copy when it is destroyed.
struct CountedLink : OMLinkToFct {
    CountedLink() : OMLinkToFct(countCompletion) { ++alive; }
    CountedLink(const CountedLink& other) : OMLinkToFct(other) { ++alive; }
    ~CountedLink() override { --alive; }
    OMLink* clone() const override { return new CountedLink(*this); }
    static inline int alive = 0;
};

// A task list of its own stands in for the application's; slices are main-loop passes.
struct CachedFileTest : ::testing::Test {
    void SetUp() override {
        completions = 0;
        setAppTaskList(&tasks);
        writeWholeFile(source, bytes);
    }
    void TearDown() override {
        while (cachedFiles().head) delete cachedFiles().head->element;
        setAppTaskList(nullptr);
    }
    // Runs passes until done() holds; false after a generous bound.
    template <class Done>
    bool runSlicesUntil(Done done) {
        for (int pass = 0; pass < 200000; ++pass) {
            if (done()) return true;
            runTaskSlices(tasks);
            if (pass % 64 == 63) Sleep(1);
        }
        return done();
    }
    bool gone(const std::string& name) {
        return runSlicesUntil([&] { return findCachedFile(name.c_str()) == nullptr; });
    }
    OMList<OMTask> tasks{compareTaskPriority};
    TempFolder folder;
    const std::string source = folder.file("big.dat"), copy = folder.file("local.dat");
    const std::string missing = folder.file("absent.dat");
    const std::string bytes = pattern(1 << 20);
    const OMLinkToFct link{countCompletion};
};

TEST_F(CachedFileTest, SynchronousLoadsAreCountedReleasedAndRefused) {
    OMCachedFile* first = loadCachedFile(source.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::make_pair(loadCachedFile(source.c_str()), first->referenceCount), std::make_pair(first, 2));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first->loadedData()), first->fileSize), bytes);
    releaseCachedFile(source.c_str());
    EXPECT_EQ(findCachedFile(source.c_str()), first);
    releaseCachedFile(source.c_str());
    EXPECT_EQ(cachedFileExists(source.c_str()), 0);
    EXPECT_EQ((std::vector{loadCachedFile(missing.c_str()), loadCachedFileCopy(missing.c_str(), copy.c_str())}),
              std::vector<OMCachedFile*>(2, nullptr));
    EXPECT_FALSE(fileExists(copy)) << "a failed copy leaves nothing";
    EXPECT_EQ(loadCachedFile(""), nullptr);
    EXPECT_EQ(std::make_pair(cachedFileExists(nullptr), cachedFiles().count), std::make_pair(0, 0));
    for (const auto& [size, sector, rounded] : {std::tuple{10000, 512, 16384}, {1, 2048, 2048}, {8192, 2048, 8192}}) {
        EXPECT_EQ(roundBlockSize(size, sector), rounded) << size << " on " << sector;
    }
}

TEST_F(CachedFileTest, CopiesSynchronousOrDrivenBySlicesAreIdenticalAndGoWithTheirFile) {
    ASSERT_NE(loadCachedFileCopy(source.c_str(), copy.c_str()), nullptr);
    EXPECT_EQ(readWholeFile(copy), bytes);
    {
        OMIStreamFile stream(source.c_str(), 0, nullptr);
        EXPECT_FALSE(stream.fromCache) << "a copy is read from its local path";
        EXPECT_EQ(readAll(stream), bytes);
    }
    releaseCachedFile(source.c_str());
    EXPECT_FALSE(fileExists(copy));
    OMCachedFile* file = openCachedFile(source.c_str(), copy.c_str(), &link, 0, false);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->referenceCount, 0);
    EXPECT_EQ(tasks.count, 1) << "the polling task";
    EXPECT_EQ(cachedFileExists(source.c_str()), 1) << "registered while it loads";
    EXPECT_EQ(openCachedFile(source.c_str(), copy.c_str(), &link, 0, false), file);
    setCachedFileBlockSize(source.c_str(), 10000);
    EXPECT_EQ(file->blockSize, roundBlockSize(10000, file->sectorSize));
    ASSERT_TRUE(runSlicesUntil([&] { return file->loaded != 0; }));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(tasks.count, 0) << "the polling task goes with the last load";
    EXPECT_EQ(std::make_pair(readWholeFile(copy), loadCachedFile(source.c_str())), std::make_pair(bytes, file));
    EXPECT_EQ(completions, 1) << "loading a loaded file completes nothing again";
    releaseCachedFile(source.c_str());
    EXPECT_FALSE(fileExists(copy));
}

// A stream opened while the file loads reads the real file; later ones read the cached memory.
TEST_F(CachedFileTest, ABackgroundLoadIntoMemoryFeedsStreamsOnlyOnceLoaded) {
    OMCachedFile* file = openCachedFileInMemory(source.c_str(), &link, 0, true);
    ASSERT_NE(file, nullptr);
    EXPECT_GT(file->fileSize, 0u) << "opened at once";
    OMIStreamFile early(source.c_str(), 0, nullptr);
    EXPECT_FALSE(early.fromCache);
    ASSERT_TRUE(runSlicesUntil([&] { return file->loaded != 0; }));
    EXPECT_EQ(readAll(early), bytes);
    OMIStreamFile late(source.c_str(), kStreamWhole, nullptr);
    EXPECT_EQ(late.buffer, file->loadedData());
    OMIStreamFile blocks(source.c_str(), 0, nullptr);
    EXPECT_EQ(readAll(blocks), bytes) << "block mode copies out of the cached memory";
}

// Streams hold references of their own: a release by the owner never frees bytes a stream still reads.
// Waiting for a load finishes it on this thread with a larger block size, restored afterwards.
TEST_F(CachedFileTest, StreamsKeepAReleasedFileUntilTheLastOfThemGoes) {
    for (const auto& [loads, releases, goesWithTheStream] :
         {std::tuple{0, 1, true}, {0, 0, false}, {2, 1, false}, {2, 2, true}}) {
        SCOPED_TRACE(::testing::Message() << loads << " loads, " << releases << " releases");
        OMCachedFile* file = openCachedFileInMemory(source.c_str(), &link, 0, false);
        completions = 0;
        ASSERT_EQ(file->waitLoaded(), 1);
        EXPECT_EQ(std::make_pair(completions, file->blockSize), std::make_pair(1, kCachedFileBlockSize));
        for (int i = 0; i < loads; ++i) EXPECT_EQ(loadCachedFile(source.c_str()), file);
        auto stream = std::make_unique<OMIStreamFile>(source.c_str(), 0, nullptr);
        ASSERT_TRUE(stream->fromCache);
        for (int i = 0; i < releases; ++i) releaseCachedFile(source.c_str());
        EXPECT_EQ(readAll(*stream), bytes);
        stream.reset();
        EXPECT_EQ(findCachedFile(source.c_str()) == nullptr, goesWithTheStream);
        delete findCachedFile(source.c_str());
    }
}

// A load whose thread has finished before the next slice steps it: the larger block size that waiting
// asks for, or one set by name, takes the last step itself, and the completion link still runs, once.
TEST_F(CachedFileTest, ALoadFinishedWhileResizingCompletesOnce) {
    for (const bool byName : {false, true}) {
        for (const bool copying : {false, true}) {
            SCOPED_TRACE(::testing::Message() << (byName ? "block size by name" : "waited for") << ", "
                                              << (copying ? "copy" : "memory"));
            OMCachedFile* file = openCachedFile(source.c_str(), copying ? copy.c_str() : nullptr, &link, 0, false);
            ASSERT_NE(file, nullptr);
            completions = 0;
            // Read only after a slice: the thread may take 7 on to 8, but only a slice takes 8 on.
            ASSERT_TRUE(runSlicesUntil([&] {
                return file->state == OMCachedFileState::toFinish || file->state == OMCachedFileState::verified;
            }));
            if (byName) {
                setCachedFileBlockSize(source.c_str(), kCachedFileWaitBlockSize);
            } else {
                ASSERT_EQ(file->waitLoaded(), 1);
            }
            EXPECT_EQ(std::make_pair(file->loaded, completions), std::make_pair(1, 1));
            for (int pass = 0; pass < 10; ++pass) runTaskSlices(tasks);
            EXPECT_EQ(completions, 1);
            EXPECT_EQ(file->waitLoaded(), 1);
            EXPECT_EQ(completions, 1) << "waiting for a loaded file completes nothing again";
            delete file;
        }
    }
}

// A load whose thread has failed before the next slice steps it: the block size set by name takes the
// last step, so the file goes as a slice would dispose of it, and the name is loaded afresh when opened again.
TEST_F(CachedFileTest, ALoadFailedWhileResizingIsDisposedOf) {
    for (const bool copying : {false, true}) {
        SCOPED_TRACE(copying ? "copy" : "memory");
        OMCachedFile* file = openCachedFile(source.c_str(), copying ? copy.c_str() : nullptr, &link, 0, true);
        ASSERT_NE(file, nullptr);
        completions = 0;
        // Opened and parked: its source becomes a handle it cannot read from, and one step fails the read.
        WaitForSingleObject(file->doneEvent, INFINITE);
        CloseHandle(file->source);
        file->source =
            CreateFileA(folder.file("sink.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        SetEvent(file->doneEvent);
        file->step();
        WaitForSingleObject(file->doneEvent, INFINITE);
        SetEvent(file->doneEvent);
        ASSERT_EQ(file->state, OMCachedFileState::failed);
        setCachedFileBlockSize(source.c_str(), kCachedFileWaitBlockSize);
        EXPECT_EQ(std::make_pair(cachedFileExists(source.c_str()), tasks.count), std::make_pair(0, 0));
        OMCachedFile* again = openCachedFile(source.c_str(), copying ? copy.c_str() : nullptr, &link, 0, false);
        ASSERT_NE(again, nullptr);
        ASSERT_EQ(again->failed, 0) << "a new load, not the failed one";
        ASSERT_TRUE(runSlicesUntil([&] { return again->loaded != 0; }));
        EXPECT_EQ(completions, 1);
        EXPECT_EQ(copying ? readWholeFile(copy) : std::string(reinterpret_cast<const char*>(again->loadedData()),
                                                              again->fileSize),
                  bytes);
        delete again;
    }
}

// A loader step that fails at once (a missing file, one held by another handle) must not leave this
// thread waiting for a loader parked again: every background load ends, however it is driven.
TEST_F(CachedFileTest, FailingBackgroundLoadsAlwaysEnd) {
    HANDLE holder = CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    // On a thread of its own, so that a hang is reported instead of stopping the run.
    std::future<void> loads = std::async(std::launch::async, [&] {
        for (int round = 0; round < 300; ++round) {
            for (const std::string& name : {missing, source}) {
                EXPECT_EQ(openCachedFileInMemory(name.c_str(), nullptr, 0, true), nullptr);
                ASSERT_NE(openCachedFile(name.c_str(), copy.c_str(), nullptr, 0, false), nullptr);
                ASSERT_TRUE(gone(name));
                ASSERT_NE(openCachedFileInMemory(name.c_str(), nullptr, 0, false), nullptr);
                EXPECT_EQ(loadCachedFile(name.c_str()), nullptr) << "waited for";
            }
        }
    });
    if (loads.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        ADD_FAILURE() << "a failing background load never ended";
        TerminateProcess(GetCurrentProcess(), 1);
    }
    CloseHandle(holder);
    EXPECT_EQ(tasks.count, 0);
}

// A failed file leaves the registry, so no release by name reaches it: it goes with the last stream
// that claimed it while it loaded, or at once, whatever references its owners had taken.
TEST_F(CachedFileTest, AFailedFileGoesWithTheLastStreamThatClaimedIt) {
    for (const auto& [claimed, ownerReferences] : {std::pair{false, 0}, {false, 1}, {true, 0}, {true, 1}}) {
        SCOPED_TRACE(::testing::Message() << "claimed " << claimed << ", owner references " << ownerReferences);
        const CountedLink given;
        OMCachedFile* file = openCachedFileInMemory(missing.c_str(), &given, 0, false);
        ASSERT_NE(file, nullptr);
        file->referenceCount += ownerReferences;
        auto stream = claimed ? std::make_unique<OMIStreamFile>(missing.c_str(), 0, nullptr) : nullptr;
        ASSERT_TRUE(gone(missing));
        EXPECT_EQ(CountedLink::alive, claimed ? 2 : 1) << "the file's own link lives while it does";
        stream.reset();
        EXPECT_EQ(CountedLink::alive, 1);
    }
}

// A read error half-way: the file leaves the registry with no data and no local copy; a stream that
// claimed it while it loaded keeps reading the real file, never the half-filled memory.
TEST_F(CachedFileTest, ALoadThatFailsHalfWayLeavesNothingBehind) {
    for (const bool copying : {false, true}) {
        SCOPED_TRACE(copying ? "copy" : "memory");
        OMCachedFile* file = openCachedFile(source.c_str(), copying ? copy.c_str() : nullptr, &link, 0, true);
        ASSERT_NE(file, nullptr);
        auto stream = std::make_unique<OMIStreamFile>(source.c_str(), 0, nullptr);
        ASSERT_TRUE(runSlicesUntil([&] { return file->bytesRemaining < (1 << 19); }));
        holdAllLoads();
        WaitForSingleObject(file->doneEvent, INFINITE);
        // The thread is parked: its source becomes a handle it cannot read from.
        CloseHandle(file->source);
        file->source =
            CreateFileA(folder.file("sink.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        SetEvent(file->doneEvent);
        releaseAllLoads();
        ASSERT_TRUE(gone(source));
        EXPECT_EQ(std::make_tuple(completions, fileExists(copy), bool(stream->fromCache)),
                  std::make_tuple(0, false, false));
        EXPECT_EQ(readAll(*stream), bytes);
    }
}
} // namespace
