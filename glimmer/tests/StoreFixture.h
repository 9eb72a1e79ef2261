// A registry tree of the splash-screen store, written by a test under a key of its own, with the
// pictures its records name.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TempFolder.h"

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
    // `root` is HKEY_CURRENT_USER\Software\GlimmerTests\<process>-<n>, or a given root with its path.
    StoreFixture();
    StoreFixture(HKEY base, const std::string& basePath);
    ~StoreFixture() override;

    // Paths are relative to "Software\Vellumark Software\DSS".
    void setNumber(const std::string& path, const char* name, std::uint32_t value);
    void setText(const std::string& path, const char* name, const std::string& value);
    void setBytes(const std::string& path, const char* name, DWORD type, const std::vector<std::uint8_t>& bytes);
    bool hasKey(const std::string& path) const;
    bool hasValue(const std::string& path, const char* name) const;
    std::uint32_t number(const std::string& path, const char* name) const;
    std::string text(const std::string& path, const char* name) const;
    std::vector<std::uint32_t> numViews(const std::string& id) const;

    void addApplication(const std::string& app, std::uint32_t active);
    void addRecord(const RecordSpec& splash);
    void addDefault(const std::string& app, const std::string& id, std::uint32_t duration = 0);
    void addHotspot(const std::string& recordPath, const std::string& name, const std::string& url,
                    const std::vector<std::uint8_t>& region);
    // A JPEG picture of the given size in the test's folder; its full name.
    std::string picture(const std::string& name, int width = 8, int height = 8);

    HKEY root() const { return root_; }
    const std::string& rootPath() const { return rootPath_; }
    TempFolder folder;

private:
    std::string dssPath(const std::string& path) const;

    HKEY base_;
    std::string rootPath_;
    HKEY root_ = nullptr;
    bool ownsRoot_;
};

// A region record: the vertices, then the count.
std::vector<std::uint8_t> regionBytes(const std::vector<std::pair<int, int>>& points);
