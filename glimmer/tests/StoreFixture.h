// Region records, and a registry tree of the splash-screen store written by a test with the pictures
// its records name.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Files.h"
#include "JpegFixtures.h"
#include "RegistryKey.h"
#include "TempFolder.h"

// A 130-byte region record: the vertices, then the count (by default the number of vertices).
inline std::vector<std::uint8_t> regionBytes(const std::vector<std::pair<int, int>>& points, std::int16_t count) {
    std::vector<std::uint8_t> bytes(130, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int values[2] = {points[i].first, points[i].second};
        for (int c = 0; c < 2; ++c) {
            bytes[4 * i + 2 * c] = static_cast<std::uint8_t>(values[c]);
            bytes[4 * i + 2 * c + 1] = static_cast<std::uint8_t>(values[c] >> 8);
        }
    }
    bytes[128] = static_cast<std::uint8_t>(count);
    bytes[129] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(count) >> 8);
    return bytes;
}

inline std::vector<std::uint8_t> regionBytes(const std::vector<std::pair<int, int>>& points) {
    return regionBytes(points, static_cast<std::int16_t>(points.size()));
}

// The values as little-endian u32s, as on the x86 the tests run on.
inline std::vector<std::uint8_t> littleEndian(const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 4);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// One registered splash screen; the defaults make an eligible record for "App" on 2026-12-06.
struct RecordSpec {
    RecordSpec(const char* recordId) : id(recordId) {}

    std::string id;
    std::string showApps = "App";
    std::string skipApps;
    std::uint32_t startDate = 20260101;
    std::uint32_t stopDate = 20261231;
    std::uint32_t maxViews = 5;
    std::vector<std::uint32_t> numViews = {0};  // empty: no NumViews value
    std::uint32_t version = 256;
    std::uint32_t neverDisplay = 0;
    std::uint32_t notRetrievingImage = 0;
    bool pictureExists = true;
    std::uint32_t numPieces = 1;
    std::uint32_t nextPiece = 1;
    std::uint32_t duration = 0;
};

constexpr long kToday = 20261206;

class StoreFixture : public testing::Test {
protected:
    // By default the tree lives under HKEY_CURRENT_USER\Software\GlimmerTests\<process>-<n>; with an
    // empty path, directly under `base` (the live store).
    StoreFixture() : StoreFixture(HKEY_CURRENT_USER, "Software\\GlimmerTests\\" + std::to_string(GetCurrentProcessId()) +
                                                         "-" + std::to_string(nextFixture()++)) {}
    StoreFixture(HKEY base, const std::string& basePath) : base_(base), rootPath_(basePath), root_(base) {
        static_cast<void>(deleteKeyTree(base_, ownedPath()));
        if (!rootPath_.empty()) RegCreateKeyA(base_, rootPath_.c_str(), &root_);
    }
    ~StoreFixture() override {
        if (root_ != base_) RegCloseKey(root_);
        static_cast<void>(deleteKeyTree(base_, ownedPath()));
    }

    // Paths are relative to "Software\Vellumark Software\DSS". Missing values read as 0xDEADBEEF,
    // "<missing>" and no view counts.
    void setBytes(const std::string& path, const char* name, DWORD type, const std::vector<std::uint8_t>& bytes) {
        RegistryKey key;
        ASSERT_TRUE(key.create(root_, dssPath(path).c_str())) << path;
        ASSERT_TRUE(key.writeBytes(name, type, bytes.data(), static_cast<DWORD>(bytes.size()))) << path << " " << name;
    }
    void setNumber(const std::string& path, const char* name, std::uint32_t value) {
        setBytes(path, name, REG_DWORD, littleEndian({value}));
    }
    void setText(const std::string& path, const char* name, const std::string& value) {
        setBytes(path, name, REG_SZ, std::vector<std::uint8_t>(value.c_str(), value.c_str() + value.size() + 1));
    }
    bool hasKey(const std::string& path) const { return keyExists(root_, dssPath(path).c_str()); }
    bool deleteKey(const std::string& path) { return deleteKeyTree(root_, dssPath(path).c_str()); }
    std::uint32_t number(const std::string& path, const char* name) const {
        RegistryKey key;
        return key.open(root_, dssPath(path).c_str()) ? key.readNumber(name) : 0xDEADBEEF;
    }
    std::string text(const std::string& path, const char* name) const {
        RegistryKey key;
        std::string value;
        return key.open(root_, dssPath(path).c_str()) && key.readText(name, value) ? value : "<missing>";
    }
    std::vector<std::uint32_t> numViews(const std::string& id) const {
        RegistryKey key;
        std::uint8_t bytes[256] = {};
        DWORD size = sizeof bytes;
        if (!key.open(root_, dssPath("SSIDs\\" + id).c_str()) || !key.readValue("NumViews", bytes, size)) return {};
        std::vector<std::uint32_t> views(size / 4);
        std::memcpy(views.data(), bytes, views.size() * 4);
        return views;
    }

    void addApplication(const std::string& app, std::uint32_t active) { setNumber("AppList\\" + app, "Active", active); }
    void addRecord(const RecordSpec& splash) {
        const std::string key = "SSIDs\\" + splash.id;
        setText(key, "ID", splash.id);
        setNumber(key, "Version", splash.version);
        setText(key, "ShowAppList", splash.showApps);
        if (!splash.skipApps.empty()) setText(key, "SkipAppList", splash.skipApps);
        setNumber(key, "NotRetrievingImage", splash.notRetrievingImage);
        setNumber(key, "NeverDisplay", splash.neverDisplay);
        if (!splash.numViews.empty()) setBytes(key, "NumViews", REG_BINARY, littleEndian(splash.numViews));
        setNumber(key + "\\DisplayInfo", "StartDate", splash.startDate);
        setNumber(key + "\\DisplayInfo", "StopDate", splash.stopDate);
        setNumber(key + "\\DisplayInfo", "MaxViews", splash.maxViews);
        setNumber(key + "\\DisplayInfo", "Duration", splash.duration);
        setText(key + "\\ImageInfo", "ImageName", splash.pictureExists ? picture(splash.id + ".jpg") : folder.file("gone.jpg"));
        setNumber(key + "\\ImagePieces", "NumPieces", splash.numPieces);
        setNumber(key + "\\ImagePieces", "NextPiece", splash.nextPiece);
    }
    void addDefault(const std::string& app, const std::string& id, std::uint32_t duration = 0) {
        const std::string key = "AppList\\" + app + "\\Default";
        setText(key, "ID", id);
        setNumber(key, "Version", 256);
        setNumber(key + "\\DisplayInfo", "Duration", duration);
        setText(key + "\\ImageInfo", "ImageName", picture(id + ".jpg"));
    }
    void addHotspot(const std::string& recordPath, const std::string& name, const std::string& url,
                    const std::vector<std::uint8_t>& region) {
        setText(recordPath + "\\ImageInfo\\" + name, "URL", url);
        setBytes(recordPath + "\\ImageInfo\\" + name, "Region", REG_BINARY, region);
    }
    // A JPEG picture of the given size in the test's folder; its full name.
    std::string picture(const std::string& name, int width = 8, int height = 8) {
        std::string full = folder.file(name);
        if (!fileExists(full)) {
            std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(width, height, 200, 100, 50));
            writeWholeFile(full, std::string(bytes.begin(), bytes.end()));
        }
        return full;
    }

    HKEY root() const { return root_; }
    const std::string& rootPath() const { return rootPath_; }
    TempFolder folder;

private:
    static int& nextFixture() {
        static int next = 0;
        return next;
    }
    static std::string dssPath(const std::string& path) {
        return "Software\\Vellumark Software\\DSS" + (path.empty() ? "" : "\\" + path);
    }
    const char* ownedPath() const { return rootPath_.empty() ? "Software\\Vellumark Software" : rootPath_.c_str(); }

    HKEY base_;
    std::string rootPath_;
    HKEY root_;
};
