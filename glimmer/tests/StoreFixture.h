// The splash-screen store under HKEY_LOCAL_MACHINE of the test's own Wine world, written by a test,
// with the picture file its records name; emptied before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Files.h"
#include "RegistryKey.h"
#include "TempFolder.h"
#include "cDSSRegistry.h"

// A 130-byte region record: the vertices, then the count (by default the number of vertices), as
// little-endian 16-bit words on the x86 the tests run on.
inline std::vector<std::uint8_t> regionBytes(const std::vector<std::pair<int, int>>& points, int count = -1) {
    std::int16_t words[65] = {};
    for (std::size_t i = 0; i < points.size(); ++i) {
        words[2 * i] = static_cast<std::int16_t>(points[i].first);
        words[2 * i + 1] = static_cast<std::int16_t>(points[i].second);
    }
    words[64] = static_cast<std::int16_t>(count < 0 ? static_cast<int>(points.size()) : count);
    std::vector<std::uint8_t> bytes(130);
    std::memcpy(bytes.data(), words, bytes.size());
    return bytes;
}

constexpr long kToday = 20261206;

struct StoreFixture : testing::Test {
    StoreFixture() { static_cast<void>(deleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Vellumark Software")); }
    ~StoreFixture() override { static_cast<void>(deleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Vellumark Software")); }
    // Paths are relative to "Software\Vellumark Software\DSS". Missing values read as 0xDEADBEEF,
    // "<missing>" and no view counts.
    void setBytes(const std::string& path, const char* name, DWORD type, const void* bytes, std::size_t size) {
        RegistryKey key;
        ASSERT_TRUE(key.create(HKEY_LOCAL_MACHINE, dssPath(path).c_str())) << path;
        ASSERT_TRUE(key.writeBytes(name, type, bytes, static_cast<DWORD>(size))) << path << " " << name;
    }
    void setNumber(const std::string& path, const char* name, std::uint32_t value) {
        setBytes(path, name, REG_DWORD, &value, 4);
    }
    void setText(const std::string& path, const char* name, const std::string& value) {
        setBytes(path, name, REG_SZ, value.c_str(), value.size() + 1);
    }
    void setViews(const std::string& id, const std::vector<std::uint32_t>& views) {
        setBytes("SSIDs\\" + id, "NumViews", REG_BINARY, views.data(), views.size() * 4);
    }
    bool hasKey(const std::string& path) const { return keyExists(HKEY_LOCAL_MACHINE, dssPath(path).c_str()); }
    bool deleteKey(const std::string& path) { return deleteKeyTree(HKEY_LOCAL_MACHINE, dssPath(path).c_str()); }
    std::uint32_t number(const std::string& path, const char* name) const {
        RegistryKey key;
        return key.open(HKEY_LOCAL_MACHINE, dssPath(path).c_str()) ? key.readNumber(name) : 0xDEADBEEF;
    }
    std::string text(const std::string& path, const char* name) const {
        RegistryKey key;
        std::string value;
        return key.open(HKEY_LOCAL_MACHINE, dssPath(path).c_str()) && key.readText(name, value) ? value : "<missing>";
    }
    std::vector<std::uint32_t> numViews(const std::string& id) const {
        RegistryKey key;
        std::uint32_t views[64] = {};
        DWORD size = sizeof views;
        if (!key.open(HKEY_LOCAL_MACHINE, dssPath("SSIDs\\" + id).c_str()) || !key.readValue("NumViews", views, size))
            return {};
        return std::vector<std::uint32_t>(views, views + size / 4);
    }
    void addApplication(const std::string& app, std::uint32_t active) {
        setNumber("AppList\\" + app, "Active", active);
    }
    // A splash screen that the chooser would show to "App" on any day of 2000 to 2099.
    void addRecord(const std::string& id) {
        const std::string key = "SSIDs\\" + id;
        setText(key, "ID", id);
        setText(key, "ShowAppList", "App");
        setText(key + "\\ImageInfo", "ImageName", picture());
        setViews(id, {0});
        using Number = std::tuple<const char*, const char*, std::uint32_t>;
        for (const auto& [sub, name, value] :
             {Number{"", "Version", 256}, {"", "NotRetrievingImage", 0}, {"", "NeverDisplay", 0},
              {"\\DisplayInfo", "StartDate", 20000101}, {"\\DisplayInfo", "StopDate", 20991231},
              {"\\DisplayInfo", "MaxViews", 5}, {"\\DisplayInfo", "Duration", 0}, {"\\ImagePieces", "NumPieces", 1},
              {"\\ImagePieces", "NextPiece", 1}})
            setNumber(key + sub, name, value);
    }
    void addDefault(const std::string& app, const std::string& id, std::uint32_t duration = 0) {
        const std::string key = "AppList\\" + app + "\\Default";
        setText(key, "ID", id);
        setNumber(key, "Version", 256);
        setNumber(key + "\\DisplayInfo", "Duration", duration);
        setText(key + "\\ImageInfo", "ImageName", picture());
    }
    void addHotspot(const std::string& recordPath, const std::string& name, const std::string& url,
                    const std::vector<std::uint8_t>& region) {
        setText(recordPath + "\\ImageInfo\\" + name, "URL", url);
        setBytes(recordPath + "\\ImageInfo\\" + name, "Region", REG_BINARY, region.data(), region.size());
    }
    // The full name of the picture file in the test's folder (the store needs only that it exists).
    std::string picture() {
        if (!fileExists(folder.file("picture.jpg"))) writeWholeFile(folder.file("picture.jpg"), "picture");
        return folder.file("picture.jpg");
    }
    TempFolder folder;
    cDSSRegistry store;
    cDSSInfo record;

private:
    static std::string dssPath(const std::string& path) {
        return "Software\\Vellumark Software\\DSS" + (path.empty() ? "" : "\\" + path);
    }
};
