// A program asking for full-screen DirectDraw, end to end: with Wine's ddraw.dll it draws through
// DirectDraw; with "DDRAW.DLL" missing it falls back to mode 2 through GDI without a word.
#include "ChildProcess.h"
#include "DirectDrawSupport.h"

namespace {
TEST(DirectDrawHostTest, WithWinesLibraryTheProgramDrawsThroughDirectDrawAndWithoutItFallsBackToGdi) {
    ASSERT_EQ(displayBitsPerPixel(0), 8) << "DirectDraw is seen working here on 8-bit displays only";
    useWineGdiRenderer();
    TempFolder folder;
    // An empty loader choice disables ddraw.dll for the program of that file name.
    const std::string key = "Software\\Wine\\AppDefaults\\QNoDDraw.exe";
    HKEY overrides = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                    &overrides, nullptr);
    RegSetValueExA(overrides, "ddraw", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(overrides);
    for (const auto& [name, line] : {std::pair{"QDirectDraw.exe", "mode 4 active 1 memory 0 surface 1 available 1\n"},
                                     {"QNoDDraw.exe", "mode 2 active 0 memory 1 surface 0 available 0\n"}}) {
        SCOPED_TRACE(name);
        const std::string program = folder.file(name);
        CopyFileA((programFolder() + "QDirectDraw.exe").c_str(), program.c_str(), FALSE);
        const ChildResult result = runChild("\"" + program + "\"", folder.path(), 60000);
        EXPECT_EQ(std::make_pair(result.started, result.exitCode), std::make_pair(true, 0ul));
        EXPECT_EQ(result.output, "") << "the fallback is silent";
        EXPECT_EQ(readWholeFile(folder.file("qdirectdraw.log")), line);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}
}  // namespace
