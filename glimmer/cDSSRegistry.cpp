// The splash-screen store over the registry.
//
//   Software\Vellumark Software\DSS            StorageLocation, PartialDownload, RecentlySeen
//     AppList\<app>                            Active, LastRun, LastSeen
//       Default (ID, Version)\DisplayInfo, \ImageInfo
//     SSIDs\<id>                               ID, Version, ShowAppList, SkipAppList,
//                                              NotRetrievingImage, NeverDisplay, NumViews
//       DisplayInfo                            StartDate, StopDate, MaxViews, Duration
//       ImageInfo                              ImageName; one subkey per hot spot: URL, Region
//       ImagePieces                            NumPieces, NextPiece
#include "cDSSRegistry.h"

namespace {

constexpr DWORD kNameCapacity = 16;     // IDs and application names: 15 characters and a terminator
constexpr DWORD kHotspotCapacity = 40;  // hot-spot subkey names
constexpr const char kMakerKey[] = "Software\\Vellumark Software";
constexpr const char kRecentlySeen[] = "RecentlySeen";

std::uint32_t durationOf(std::uint32_t stored) { return stored == 0 ? kDefaultDuration : stored; }

std::vector<std::string> appNameList(const RegistryKey& key, const char* name) {
    std::string text;
    if (!key.readText(name, text)) return {};
    return splitCommaList(text);
}

}  // namespace

cDSSRegistry::cDSSRegistry(HKEY root) : root_(root) {}

void cDSSRegistry::setApplication(const char* name) { application_ = cutName(name != nullptr ? name : ""); }

bool cDSSRegistry::open() {
    RegistryKey maker;
    if (!maker.create(root_, kMakerKey) || !dssKey_.create(maker.handle(), "DSS") ||
        !ssidsKey_.create(dssKey_.handle(), "SSIDs")) {
        return false;
    }
    if (!dssKey_.readText("StorageLocation", storageLocation_)) storageLocation_.clear();
    storageLocation_ = storageLocation_.substr(0, MAX_PATH - 1);
    ssids_ = ssidsKey_.subkeyNames(kNameCapacity);
    RegistryKey apps;
    appList_ = apps.open(dssKey_.handle(), "AppList") ? apps.subkeyNames(kNameCapacity) : std::vector<std::string>{};
    rereadRecentlySeen();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    hostPath_ = path;
    return true;
}

bool cDSSRegistry::openApplicationKey(RegistryKey& key) const {
    return !application_.empty() && key.open(dssKey_.handle(), ("AppList\\" + application_).c_str());
}

bool cDSSRegistry::openRecordKey(const std::string& id, RegistryKey& key) const {
    return !id.empty() && key.open(ssidsKey_.handle(), id.c_str());
}

void cDSSRegistry::readImageInfo(const RegistryKey& imageInfo, cDSSInfo& record) const {
    if (!imageInfo.readText("ImageName", record.imageName)) record.imageName.clear();
    for (const std::string& name : imageInfo.subkeyNames(kHotspotCapacity)) {
        RegistryKey spot;
        if (!spot.open(imageInfo.handle(), name.c_str())) continue;
        cDSSHotspotInfo hotspot;
        if (!spot.readText("URL", hotspot.url)) hotspot.url.clear();
        std::uint8_t region[kRegionRecordSize] = {};
        DWORD size = sizeof region;
        if (spot.readValue("Region", region, size)) hotspot.region = parseRegionRecord(region, size);
        record.hotspots.push_back(std::move(hotspot));
    }
}

bool cDSSRegistry::loadRecord(const std::string& id, cDSSInfo& record) const {
    record = cDSSInfo{};
    RegistryKey key;
    if (!openRecordKey(id, key)) return false;
    std::string storedId;
    if (key.readText("ID", storedId)) record.id = cutName(storedId);
    record.version = key.readNumber("Version");
    record.showApps = appNameList(key, "ShowAppList");
    record.skipApps = appNameList(key, "SkipAppList");
    record.notRetrievingImage = static_cast<std::uint16_t>(key.readNumber("NotRetrievingImage"));
    record.neverDisplay = static_cast<std::uint16_t>(key.readNumber("NeverDisplay"));

    RegistryKey displayInfo;
    if (!displayInfo.open(key.handle(), "DisplayInfo")) return false;
    record.startDate = static_cast<long>(displayInfo.readNumber("StartDate"));
    record.stopDate = static_cast<long>(displayInfo.readNumber("StopDate"));
    record.maxViews = displayInfo.readNumber("MaxViews");
    record.duration = durationOf(displayInfo.readNumber("Duration"));

    RegistryKey imageInfo;
    if (!imageInfo.open(key.handle(), "ImageInfo")) return false;
    readImageInfo(imageInfo, record);

    RegistryKey pieces;
    if (!pieces.open(key.handle(), "ImagePieces")) return false;
    record.numPieces = static_cast<std::uint16_t>(pieces.readNumber("NumPieces"));
    record.nextPiece = static_cast<std::uint16_t>(pieces.readNumber("NextPiece"));
    return true;
}

bool cDSSRegistry::loadDefault(cDSSInfo& record) const {
    record = cDSSInfo{};
    RegistryKey app, key;
    if (!openApplicationKey(app) || !key.open(app.handle(), "Default")) return false;
    std::string storedId;
    if (key.readText("ID", storedId)) record.id = cutName(storedId);
    record.version = key.readNumber("Version");
    RegistryKey displayInfo;
    if (displayInfo.open(key.handle(), "DisplayInfo")) record.duration = durationOf(displayInfo.readNumber("Duration"));
    RegistryKey imageInfo;
    if (!imageInfo.open(key.handle(), "ImageInfo")) return false;
    readImageInfo(imageInfo, record);
    record.isDefault = 1;
    return true;
}

std::uint32_t cDSSRegistry::getActive() const {
    RegistryKey app;
    return openApplicationKey(app) ? app.readNumber("Active") : 0;
}

bool cDSSRegistry::toggleActive() {
    RegistryKey app;
    return openApplicationKey(app) && app.writeNumber("Active", app.readNumber("Active") == 0 ? 1 : 0);
}

bool cDSSRegistry::writeLastRun(std::time_t now) {
    RegistryKey app;
    return openApplicationKey(app) && app.writeNumber("LastRun", static_cast<std::uint32_t>(now));
}

bool cDSSRegistry::getLastSeen(std::string& id) const {
    RegistryKey app;
    if (!openApplicationKey(app) || !app.readText("LastSeen", id)) return false;
    return !id.empty() && id.size() <= kNameLength;
}

bool cDSSRegistry::writeLastSeen(const std::string& id) {
    RegistryKey app;
    return openApplicationKey(app) && app.writeText("LastSeen", id.c_str());
}

bool cDSSRegistry::readNumViews(const std::string& id, std::size_t count, std::vector<std::uint32_t>& views) const {
    RegistryKey key;
    if (count == 0 || count > 0x10000 || !openRecordKey(id, key)) return false;
    std::vector<std::uint8_t> bytes(count * 4, 0);
    DWORD size = static_cast<DWORD>(bytes.size());
    if (!key.readValue("NumViews", bytes.data(), size)) return false;
    views.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        views[i] = bytes[4 * i] | (bytes[4 * i + 1] << 8) | (bytes[4 * i + 2] << 16) |
                   (static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24);
    }
    return true;
}

bool cDSSRegistry::writeNumViews(const std::string& id, const std::vector<std::uint32_t>& views) {
    RegistryKey key;
    if (views.empty() || !openRecordKey(id, key)) return false;
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t count : views) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(count >> shift));
    }
    return key.writeBytes("NumViews", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool cDSSRegistry::writeMaxViews(const std::string& id, std::uint32_t maxViews) {
    RegistryKey key, displayInfo;
    return openRecordKey(id, key) && displayInfo.open(key.handle(), "DisplayInfo") &&
           displayInfo.writeNumber("MaxViews", maxViews);
}

bool cDSSRegistry::markNeverDisplay(const std::string& id) {
    RegistryKey key;
    return openRecordKey(id, key) && key.writeNumber("NeverDisplay", 1);
}

std::string cDSSRegistry::readPartialDownload() const {
    std::string id;
    if (!dssKey_.readText("PartialDownload", id)) return {};
    return id;
}

void cDSSRegistry::rereadRecentlySeen() { recentlySeen_ = appNameList(dssKey_, kRecentlySeen); }

bool cDSSRegistry::writeRecentlySeen() { return dssKey_.writeText(kRecentlySeen, joinCommaList(recentlySeen_).c_str()); }

bool cDSSRegistry::removeSplashScreen(const std::string& id) {
    int listed = findName(ssids_, id);
    if (listed >= 0) ssids_.erase(ssids_.begin() + listed);
    rereadRecentlySeen();
    int seen = findName(recentlySeen_, id);
    if (seen >= 0) {
        recentlySeen_.erase(recentlySeen_.begin() + seen);
        writeRecentlySeen();
    }
    if (readPartialDownload() == id) dssKey_.deleteValue("PartialDownload");
    return !id.empty() && deleteKeyTree(ssidsKey_.handle(), id.c_str());
}
