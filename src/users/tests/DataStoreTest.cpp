// The script data store "RDatFile", its variable file and dump, the user data file "quomb.dat" and the
// user registry, in a temporary working folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <string>

#include "DataStoreWriter.h"
#include "Files.h"
#include "HelpAndLessons.h"
#include "OMAlert.h"
#include "OMSParameter.h"
#include "RDatFile.h"
#include "SoundFlags.h"
#include "TempFolder.h"
#include "UserData.h"
#include "UserDataFile.h"
#include "UserRegistry.h"

namespace {

std::string alerts;

std::string helpAsked;

BOOL WINAPI recordHelp(HWND, LPCSTR file, UINT command, ULONG_PTR topic) {
    helpAsked = std::string(file) + " " + std::to_string(command) + " " + reinterpret_cast<const char*>(topic);
    return TRUE;
}

int recordAlert(const char* text, unsigned flags, const char*) {
    alerts += std::string(text) + " " + std::to_string(flags) + "\n";
    return 1;
}

class DataStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, outside);
        SetCurrentDirectoryA(folder.path().c_str());
        CreateDirectoryA("users", nullptr);
        setUserDataFolder(folder.path());
        previousSink = omSetAlertSink(recordAlert);
        alerts.clear();
        userData() = UserDataBlock{};
    }
    void TearDown() override {
        deleteUserStore();
        omSetAlertSink(previousSink);
        setUserDataFolder("");
        SetCurrentDirectoryA(outside);
    }

    TempFolder folder;
    char outside[MAX_PATH] = {};
    OMAlertSink previousSink = nullptr;
};

// A store with its script face, as a script's creation gives it.
struct ScriptStore : RDatFile {
    ScriptStore(std::int32_t capacity, const char* name) : RDatFile(capacity, name) { registerProperties(); }
};

// The registry's walk from the first name, joined by commas.
std::string userNames() {
    std::string names = firstUserName();
    for (int i = 0; i < 2; ++i) names += std::string(",") + nextUserName();
    return names + ".";
}

void pushAll(std::initializer_list<const char*> parameters) {
    clearParameters();
    for (const char* p : parameters) static_cast<void>(pushParameter(p));
}

std::string get(RDatFile& store, const char* property, std::initializer_list<const char*> parameters = {}) {
    pushAll(parameters);
    const char* value = store.getProperty(property);
    return value ? value : "(none)";
}

// The runtime library's local time text of a stamp, as a text-mode file holds it.
std::string localStamp(std::time_t at) { return std::string(std::asctime(std::localtime(&at))).substr(0, 24) + "\r\n"; }

void set(RDatFile& store, const char* property, std::initializer_list<const char*> parameters, const char* value) {
    pushAll(parameters);
    store.setProperty(property, value);
}

// Sound byte 255 reads -1, header byte 3 is the user count; record 0 becomes variables, and a save with
// "uNumSeen" 7 changes nothing but that field.
TEST_F(DataStoreTest, UserDataFileRoundTripsThroughRecordZeroAndTheSwitches) {
    const std::string original = quombDatBytes({255, 0, 1, 3}, {{0, 5}, {18, -2}, {22 + 4 * 35, 300}, {180, 1}}, "Ann");
    ASSERT_EQ(original.size(), 7284u);
    writeWholeFile(folder.file("quomb.dat"), original);
    ScriptStore store(200, "");
    store.invokeMethod("loadMRData");
    const std::pair<const char*, const char*> loaded[] = {
        {"sfxFlag", "-1"},    {"musicFlag", "0"},           {"voiceFlag", "1"},    {"totalUsers", "3"},
        {"uHippoFlag1", "5"}, {"uPrizeFlags", "-2"},        {"uPrizeAnimPrize36", "300"},
        {"uName", "Ann"},     {"uNumSeen", "0"},            {"uSayHooray", "1"}};
    for (const auto& [name, value] : loaded) EXPECT_EQ(get(store, "var", {name}), value) << name;
    EXPECT_EQ(store.usedCount(), 4 + 85);
    EXPECT_EQ(get(store, "sfxFlag"), "-1");
    EXPECT_EQ(get(store, "tickets"), "254");
    set(store, "var", {"uNumSeen"}, "7");
    store.invokeMethod("writeMRData");
    std::string expected = original;
    expected[182] = 7;
    EXPECT_EQ(readWholeFile(folder.file("quomb.dat")) == expected, true);
    // Short files load what is whole.
    UserDataBlock block;
    readUserData(reinterpret_cast<const std::uint8_t*>(original.data()), 4 + 182 + 100, block);
    EXPECT_EQ(block.userCount, 3);
    EXPECT_EQ(block.records[0][18], 0xFE);
    EXPECT_EQ(block.records[1][0], 0);
    readUserData(reinterpret_cast<const std::uint8_t*>("\x05\x06"), 2, block);
    EXPECT_EQ((std::vector<int>{block.sfx, block.music, block.voice}), (std::vector<int>{5, 6, 1}));
}

TEST_F(DataStoreTest, CellsArraysTicketsAndSoundFlags) {
    ScriptStore store(50, "");
    store.invokeMethod("createArray", "A", "60", ".");
    set(store, "arrayVar", {"A", "45"}, "x");
    EXPECT_EQ(get(store, "var", {"A30to59"}), "...............x..............");
    EXPECT_EQ(get(store, "arrayVar", {"A", "45"}), "x");
    EXPECT_EQ(get(store, "arrayVar", {"A", "95"}), "empty");
    EXPECT_EQ(store.find("A60to89"), 2);
    set(store, "subVar", {"s", "3"}, "Q");
    EXPECT_EQ(get(store, "var", {"s"}), "   Q                           ");
    store.invokeMethod("incSubVar", "s", "3");
    store.invokeMethod("decSubVar", "t", "0");
    EXPECT_EQ(get(store, "subVar", {"s", "3"}) + get(store, "var", {"t"}), "R\x1F");
    set(store, "tickets", {}, "300");
    EXPECT_EQ(get(store, "tickets"), "44");
    set(store, "bonusTicket", {}, "0");
    EXPECT_EQ(get(store, "bonusTicket") + " " + get(store, "var", {"uPrizeFlags"}), "16384 16428");
    EXPECT_EQ(get(store, "deltaTime", {"s"}) + " " + get(store, "varTime", {"none"}) + ".", "0 .");
    store.invokeMethod("registerUser");
    setSfxFlag(0);
    EXPECT_EQ(get(store, "var", {"sfxFlag"}) + get(store, "sfxFlag"), "00");
    setSfxFlag(1);
}

// Starts empty and consistent; a full store and a name of 32 characters are refused.
TEST_F(DataStoreTest, EmptyAndFullStoresAndLongNamesStayConsistent) {
    ScriptStore store(2, "");
    store.setVariable("a", "1");
    EXPECT_EQ(std::string(store.slot(0).name()) + store.slot(0).value(), "a1");
    store.setVariable(std::string(32, 'n').c_str(), "x");
    store.newVariable(std::string(32, 'n').c_str(), "x");
    EXPECT_EQ(store.usedCount(), 1);
    store.newVariable("b", "2");
    store.setVariable("c", "3");
    store.newVariable("d", "4");
    set(store, "subVar", {"e", "0"}, "5");
    EXPECT_EQ(store.usedCount(), 2);
    EXPECT_EQ(std::string(store.getVariable("a")) + store.getVariable("b") + store.getVariable("c"), "12empty");
    store.removeVariable("a");
    store.setVariable("c", "3");
    EXPECT_EQ(std::string(store.slot(0).name()) + store.slot(0).value(), "c3");
    // A full store saves the sound switches it has no room for as they are.
    store.invokeMethod("writeMRData");
    EXPECT_EQ(readWholeFile(folder.file("quomb.dat")).substr(0, 4), std::string("\1\1\1\0", 4));
}

// A variable file loads what is whole, the dump lists every slot, and the destructor writes the file back
// when the store was changed.
TEST_F(DataStoreTest, VariableFileLoadsDumpsAndIsWrittenBack) {
    const std::string text31(31, 't');
    std::string bytes = variableFileBytes({{"name", "value", 1000000000u}, {text31, text31 + "u", 1000000000u}}, 3);
    writeWholeFile(folder.file("store.dat"), bytes);
    {
        ScriptStore store(3, "store.dat");
        EXPECT_EQ(store.fileName(), "STORE.DAT");
        EXPECT_EQ(store.usedCount(), 2);
        EXPECT_EQ(store.getVariable(text31.c_str()), text31);
        store.invokeMethod("dump");
        const std::string stamp = localStamp(1000000000);
        const std::string free = "empty" + std::string(27, ' ') + " = " + " " + std::string(31, ' ');
        const std::string expected = "# of used variables =    2 \r\n"
                                     "   0) name" + std::string(28, ' ') + " = value" + std::string(27, ' ') +
                                     " modified " + stamp +
                                     "   1) " + text31 + "  = " + text31 + "  modified " + stamp +
                                     "   2) " + free + " modified " + localStamp(0);
        EXPECT_EQ(readWholeFile(folder.file("STORE.TXT")), expected);
        store.setVariable("new", "v");
    }
    RDatFile again(3, "store.dat");
    EXPECT_EQ(again.usedCount(), 3);
    EXPECT_EQ(std::string(again.getVariable("new")), "v");
    {
        RDatFile unchanged(1000, "users\\USERS.DAT");
        EXPECT_EQ(selectOrAddUser("Ann"), 0);
        deleteUserStore();
    }
    EXPECT_EQ(userNames(), "Ann,,.");
    // Damaged: a record cut short is not loaded.
    writeWholeFile(folder.file("cut.dat"), bytes.substr(0, 4 + 68 + 30));
    EXPECT_EQ(RDatFile(3, "cut.dat").usedCount(), 1);
    ScriptStore nowhere(3, "no\\such\\folder\\x.dat");
    nowhere.invokeMethod("dump");
    EXPECT_EQ(alerts, "Unable to open dump file 12288\n");
}

// Names of slots 1 up to "newUserID"; selecting, adding and removing users, saved in users\USERS.DAT. Help
// asks the help engine for the topic in the CD root's help file.
TEST_F(DataStoreTest, UserRegistryWalksAddsSelectsAndRemovesAndHelpAsksForTheTopic) {
    writeWholeFile(folder.file("users\\USERS.DAT"),
                   variableFileBytes({{"user1", "Ann"}, {"user2", "Bob"}, {"totalUsers", "2"}, {"newUserID", "4"},
                                      {"currentUser", "user1"}},
                                     1000));
    EXPECT_EQ(userCount(), 2);
    EXPECT_EQ(userNames(), "Ann,Bob,.");
    EXPECT_EQ(selectOrAddUser("Bob"), 1);
    EXPECT_EQ(std::string(userStore().getVariable("currentUser")), "user2");
    EXPECT_EQ(selectOrAddUser("Sam"), 0);
    writeWholeFile(folder.file("users\\user2.dat"), "x");
    EXPECT_EQ(removeUser("Bob"), 1);
    EXPECT_EQ(removeUser("Bob"), 0);
    EXPECT_FALSE(fileExists(folder.file("users\\user2.dat")));
    deleteUserStore();
    {
        RDatFile saved(1000, "users\\USERS.DAT");
        std::string values;
        for (const char* key : {"user1", "user2", "user4", "currentUser", "newUserID", "totalUsers"})
            values += std::string(saved.getVariable(key)) + ",";
        EXPECT_EQ(values, "Ann,empty,Sam,user4,5,2,");
    }
    EXPECT_EQ(userNames(), "Ann,Sam,.");
    deleteUserStore();
    DeleteFileA("users\\USERS.DAT");
    EXPECT_EQ(userNames(), ",,.");
    EXPECT_EQ(selectOrAddUser("Zoe"), 0);
    EXPECT_EQ(std::string(userStore().getVariable("user1")) + userStore().getVariable("newUserID"), "Zoe2");
    const HelpEngine engine = setHelpEngine(recordHelp);
    pushAll({"Signing in"});
    rewindParameters();
    helpCommand(0);
    setHelpEngine(engine);
    EXPECT_EQ(helpAsked, "QUOMB.HLP 261 Signing in");
}

}  // namespace
