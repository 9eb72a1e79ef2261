// A program asking for full-screen DirectDraw, end to end: with Wine's ddraw.dll it draws through
// DirectDraw; with "DDRAW.DLL" missing it falls back to mode 2 through GDI without a word.
#include <windows.h>

#include <cstring>
#include <string>

#include "ChildProcess.h"
#include "DirectDrawSupport.h"
#include "Files.h"
#include "TempFolder.h"
#include "TestSupport.h"

namespace {

constexpr char kDirectDrawLine[] = "mode 4 active 1 memory 0 surface 1 available 1\n";
constexpr char kFallbackLine[] = "mode 2 active 0 memory 1 surface 0 available 0\n";

// The loader's choice for ddraw.dll in one program, by the program's file name: "" disables the library.
class DllOverride {
public:
    DllOverride(const std::string& program, const char* choice) : key_("Software\\Wine\\AppDefaults\\" + program) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, "ddraw", 0, REG_SZ, reinterpret_cast<const BYTE*>(choice),
                       static_cast<DWORD>(std::strlen(choice) + 1));
        RegCloseKey(key);
    }
    DllOverride(const DllOverride&) = delete;
    DllOverride& operator=(const DllOverride&) = delete;
    ~DllOverride() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

private:
    std::string key_;
};

class DirectDrawHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (displayBitsPerPixel(0) != 8) GTEST_SKIP() << "DirectDraw is seen working here on 8-bit displays only";
        useWineGdiRenderer();
    }
    // Runs the program as `name` in the folder and returns its log line.
    std::string run(const std::string& name) {
        const std::string program = folder.file(name);
        if (!fileExists(program)) CopyFileA((programFolder() + "QDirectDraw.exe").c_str(), program.c_str(), FALSE);
        const ChildResult result = runChild("\"" + program + "\"", folder.path(), 60000);
        EXPECT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.output, "") << "the fallback is silent";
        return readWholeFile(folder.file("qdirectdraw.log"));
    }
    TempFolder folder;
};

TEST_F(DirectDrawHostTest, WithWinesLibraryTheProgramDrawsThroughDirectDraw) {
    EXPECT_EQ(run("QDirectDraw.exe"), kDirectDrawLine);
}

TEST_F(DirectDrawHostTest, WithoutTheLibraryTheProgramFallsBackToGdi) {
    DllOverride missing("QNoDDraw.exe", "");
    EXPECT_EQ(run("QNoDDraw.exe"), kFallbackLine);
}

}  // namespace
