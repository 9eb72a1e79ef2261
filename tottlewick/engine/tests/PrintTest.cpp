// Printing: the default printer's entry through the print seam, and Wine's world without a printer.
#include "AppStandIn.h"
#include "PrintDevice.h"
#include "PrintPlatform.h"

namespace {

std::string profileEntry;

// GetProfileString's way: at most size - 1 characters, their count returned.
DWORD WINAPI fakeProfile(LPCSTR, LPCSTR, LPCSTR, LPSTR buffer, DWORD size) {
    const std::string copied = profileEntry.substr(0, size - 1);
    lstrcpyA(buffer, copied.c_str());
    return static_cast<DWORD>(copied.size());
}

struct PrintTest : AppTest {
    void TearDown() override {
        PrintSetPlatform(nullptr);
        AppTest::TearDown();
    }
};

}  // namespace

TEST_F(PrintTest, DefaultPrinterEntrySplitsIntoThreeParts) {
    PrintPlatform platform = PrintGetPlatform();
    platform.getProfileString = fakeProfile;
    PrintSetPlatform(&platform);
    struct Case {
        const char* entry;
        std::uint32_t size;
        std::uint32_t result;
        const char* parts;
    };
    for (const Case& c : {Case{" HP, winspool,LPT1:", 64, 19, "HP|winspool|LPT1:"}, Case{"HP,winspool", 64, 0, ""},
                          Case{"HP,winspool,LPT1:", 12, 0, ""}, Case{"HP,,LPT1:", 64, 0, ""}}) {
        SCOPED_TRACE(c.entry);
        profileEntry = c.entry;
        char buffer[64];
        char *name, *driver, *port;
        const std::uint32_t result = PrintGetDefaultPrinter(buffer, c.size, &name, &driver, &port);
        EXPECT_EQ(result, c.result);
        if (result) {
            EXPECT_EQ(std::string(name) + "|" + driver + "|" + port, c.parts);
        }
    }
}

// Wine 8.0 without a printer has no "device" entry; a written entry naming no real printer cannot be opened.
TEST_F(PrintTest, WineWithoutAPrinter) {
    char entry[64] = "x";
    EXPECT_EQ(GetProfileStringA("windows", "device", "", entry, sizeof entry), 0u);
    EXPECT_STREQ(entry, "");
    standin::script.boxAnswer = IDOK;
    EXPECT_EQ(PrintCheckPrinter(), 1);
    EXPECT_EQ(PrintCreateDC(1, 2), nullptr);
    const std::string noPrinter = "box Tottlewick|No Printer found. Please check your printer setup.|2030";
    ASSERT_TRUE(WriteProfileStringA("windows", "device", "Nobody,winspool,LPT1:"));
    EXPECT_EQ(PrintCreateDC(1, 2), nullptr);
    WriteProfileStringA("windows", "device", nullptr);
    EXPECT_EQ(standin::log, (std::vector<std::string>{noPrinter, noPrinter,
                                                        "box Tottlewick|Can't open printer.|2030"}));
}
