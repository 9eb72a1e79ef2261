// The data disc in this test's Wine world (tools/disc-world.sh): CD-ROM drives E: labelled "OTHER",
// F: labelled "tottlewick" and G: without a disc.
#include "AppStandIn.h"
#include "CdDrive.h"
#include "Disc.h"
#include "EngineMessageBox.h"
#include "File.h"
#include "Files.h"

namespace {

std::vector<std::string> boxes;
std::vector<int> answers;

int answerBox(const char* text, const char* caption, unsigned style) {
    boxes.push_back(EngineMessageBoxLine(text, caption, style));
    const int answer = answers.empty() ? IDCANCEL : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
}

struct DiscTest : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        EngineSetMessageBoxHook(answerBox);
        boxes.clear();
        answers.clear();
    }
};

std::string label(const char* root) {
    char text[41] = "unread";
    return GetVolumeInformationA(root, text, sizeof text, nullptr, nullptr, nullptr, nullptr, 0) ? text : "<failed>";
}

}  // namespace

// What Wine 8.0 reports for drives set up this way: the type 5, the label in its file's case, an empty label
// (not a failure) for a drive whose folder is missing, and a label kept from before its file was rewritten.
TEST_F(DiscTest, WineReportsTheDrivesOfTheWorld) {
    for (const char* root : {"E:\\", "F:\\", "G:\\"}) EXPECT_EQ(GetDriveTypeA(root), DRIVE_CDROM) << root;
    EXPECT_EQ(label("E:\\"), "OTHER");
    EXPECT_EQ(label("F:\\"), "tottlewick");
    EXPECT_EQ(label("G:\\"), "");
    std::string file = std::string("Z:") + getenv("TOTTLEWICK_DISC_FOLDERS") + "/data/.windows-label";
    for (char& c : file) c = c == '/' ? '\\' : c;
    writeWholeFile(file, "Changed");
    ASSERT_EQ(readWholeFile(file), "Changed");
    EXPECT_EQ(label("F:\\"), "tottlewick");
    writeWholeFile(file, "tottlewick");
}

TEST_F(DiscTest, FindsTheDiscByLabelIgnoringCase) {
    char drive[kFilePathSize] = "";
    EXPECT_EQ(CdScanDrives("Tottlewick", drive), 5);
    EXPECT_STREQ(drive, "F:");
    EXPECT_EQ(CdGetFirstDrive(), 4);
    std::uint16_t number = 0;
    EXPECT_EQ(CdGetDriveNumber("Tottlewick", 0, &number), 1);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(CdScanDrives("Elsewhere", drive), -1);
    EXPECT_STREQ(drive, "G:");
    EXPECT_EQ(CdGetDriveNumber("Elsewhere", 0, &number), 0);
    EXPECT_EQ(number, kCdNoDrive);
    EXPECT_EQ(CdPrompt("TOTTLEWICK", 0), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(DiscGetDrive(), kCdNoDrive) << "no label stored: G:, without one, is not the disc";
    EXPECT_EQ(DiscSetLabel("Tottlewick"), 1);
    EXPECT_EQ(DiscIsSet(), 1);
    EXPECT_EQ(DiscGetDrive(), 6);
}

TEST_F(DiscTest, PromptAsksAgainAfterOkAndGivesUpOnCancel) {
    answers = {IDOK, IDCANCEL};
    EXPECT_EQ(CdPrompt("Elsewhere", 0), 0);
    const std::string box =
        "Insert Data CD|Please insert the Tottlewick CD-ROM in the CD-ROM drive and press OK.|2001";
    EXPECT_EQ(boxes, (std::vector<std::string>{box, box}));
}
