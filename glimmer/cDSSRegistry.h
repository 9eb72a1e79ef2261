// The splash-screen store: the registry tree under "Software\Vellumark Software\DSS", its three lists
// (registered IDs, installed applications, recently seen IDs) and the values the library writes back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "RegistryKey.h"
#include "cDSSInfo.h"

class cDSSRegistry {
public:
    // `root` is HKEY_LOCAL_MACHINE in the library; tests give a key of their own.
    explicit cDSSRegistry(HKEY root = HKEY_LOCAL_MACHINE);

    // The calling application's name, cut to 15 characters.
    void setApplication(const char* name);
    const std::string& application() const { return application_; }

    // Creates or opens the key tree and reads the lists; false when DSS or SSIDs cannot be opened.
    bool open();

    const std::vector<std::string>& ssids() const { return ssids_; }
    const std::vector<std::string>& appList() const { return appList_; }
    const std::vector<std::string>& recentlySeen() const { return recentlySeen_; }
    const std::string& storageLocation() const { return storageLocation_; }
    const std::string& hostPath() const { return hostPath_; }
    std::uint16_t dssVersion() const { return kDssVersion; }

    [[nodiscard]] bool loadRecord(const std::string& id, cDSSInfo& record) const;
    // The application's own fallback from AppList\<app>\Default; true when it has an ImageInfo key.
    [[nodiscard]] bool loadDefault(cDSSInfo& record) const;

    std::uint32_t getActive() const;
    bool toggleActive();
    bool writeLastRun(std::time_t now);
    [[nodiscard]] bool getLastSeen(std::string& id) const;
    bool writeLastSeen(const std::string& id);
    // NumViews of SSIDs\<id>: `count` 32-bit little-endian counts.
    [[nodiscard]] bool readNumViews(const std::string& id, std::size_t count, std::vector<std::uint32_t>& views) const;
    bool writeNumViews(const std::string& id, const std::vector<std::uint32_t>& views);
    bool writeMaxViews(const std::string& id, std::uint32_t maxViews);
    bool markNeverDisplay(const std::string& id);
    std::string readPartialDownload() const;
    // RecentlySeen: read again from the registry, changed in memory, written back.
    void rereadRecentlySeen();
    std::vector<std::string>& recentlySeenList() { return recentlySeen_; }
    bool writeRecentlySeen();
    // Removes a registered splash screen: from the SSIDs list, RecentlySeen and PartialDownload, and
    // its key with all subkeys.
    bool removeSplashScreen(const std::string& id);

    bool launchBrowser() const { return launchBrowser_ != 0; }
    void setLaunchBrowser(bool launch) { launchBrowser_ = launch ? 1 : 0; }

private:
    static constexpr std::uint16_t kDssVersion = 256;

    [[nodiscard]] bool openApplicationKey(RegistryKey& key) const;
    [[nodiscard]] bool openRecordKey(const std::string& id, RegistryKey& key) const;
    void readImageInfo(const RegistryKey& imageInfo, cDSSInfo& record) const;

    HKEY root_;
    RegistryKey dssKey_;
    RegistryKey ssidsKey_;
    std::string storageLocation_;
    std::string hostPath_;
    std::string application_;
    std::vector<std::string> ssids_;
    std::vector<std::string> recentlySeen_;
    std::vector<std::string> appList_;
    std::uint16_t launchBrowser_ = 1;
};
