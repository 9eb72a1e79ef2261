// Registry fixtures of the splash-screen store.
#include "StoreFixture.h"

#include "Files.h"
#include "JpegFixtures.h"
#include "RegistryKey.h"

namespace {

int nextFixture = 0;

std::vector<std::uint8_t> littleEndian(const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return bytes;
}

}  // namespace

StoreFixture::StoreFixture()
    : StoreFixture(HKEY_CURRENT_USER, "Software\\GlimmerTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                                          std::to_string(nextFixture++)) {}

StoreFixture::StoreFixture(HKEY base, const std::string& basePath) : base_(base), rootPath_(basePath) {
    ownsRoot_ = !basePath.empty();
    if (ownsRoot_) {
        static_cast<void>(deleteKeyTree(base_, rootPath_.c_str()));
        RegCreateKeyA(base_, rootPath_.c_str(), &root_);
    } else {
        root_ = base_;
        static_cast<void>(deleteKeyTree(root_, "Software\\Vellumark Software"));
    }
}

StoreFixture::~StoreFixture() {
    if (ownsRoot_) {
        RegCloseKey(root_);
        static_cast<void>(deleteKeyTree(base_, rootPath_.c_str()));
    } else {
        static_cast<void>(deleteKeyTree(root_, "Software\\Vellumark Software"));
    }
}

std::string StoreFixture::dssPath(const std::string& path) const {
    return "Software\\Vellumark Software\\DSS" + (path.empty() ? "" : "\\" + path);
}

void StoreFixture::setBytes(const std::string& path, const char* name, DWORD type, const std::vector<std::uint8_t>& bytes) {
    RegistryKey key;
    ASSERT_TRUE(key.create(root_, dssPath(path).c_str())) << path;
    ASSERT_TRUE(key.writeBytes(name, type, bytes.data(), static_cast<DWORD>(bytes.size()))) << path << " " << name;
}

void StoreFixture::setNumber(const std::string& path, const char* name, std::uint32_t value) {
    setBytes(path, name, REG_DWORD, littleEndian({value}));
}

void StoreFixture::setText(const std::string& path, const char* name, const std::string& value) {
    setBytes(path, name, REG_SZ, std::vector<std::uint8_t>(value.c_str(), value.c_str() + value.size() + 1));
}

bool StoreFixture::hasKey(const std::string& path) const { return keyExists(root_, dssPath(path).c_str()); }

bool StoreFixture::hasValue(const std::string& path, const char* name) const {
    RegistryKey key;
    char buffer[512];
    DWORD size = sizeof buffer;
    return key.open(root_, dssPath(path).c_str()) && key.readValue(name, buffer, size);
}

std::uint32_t StoreFixture::number(const std::string& path, const char* name) const {
    RegistryKey key;
    return key.open(root_, dssPath(path).c_str()) ? key.readNumber(name) : 0xDEADBEEF;
}

std::string StoreFixture::text(const std::string& path, const char* name) const {
    RegistryKey key;
    std::string value;
    if (!key.open(root_, dssPath(path).c_str()) || !key.readText(name, value)) return "<missing>";
    return value;
}

std::vector<std::uint32_t> StoreFixture::numViews(const std::string& id) const {
    RegistryKey key;
    std::uint8_t bytes[256] = {};
    DWORD size = sizeof bytes;
    if (!key.open(root_, dssPath("SSIDs\\" + id).c_str()) || !key.readValue("NumViews", bytes, size)) return {};
    std::vector<std::uint32_t> views;
    for (DWORD i = 0; i + 4 <= size; i += 4) {
        views.push_back(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) | (static_cast<std::uint32_t>(bytes[i + 3]) << 24));
    }
    return views;
}

void StoreFixture::addApplication(const std::string& app, std::uint32_t active) {
    setNumber("AppList\\" + app, "Active", active);
}

void StoreFixture::addRecord(const RecordSpec& splash) {
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

void StoreFixture::addDefault(const std::string& app, const std::string& id, std::uint32_t duration) {
    const std::string key = "AppList\\" + app + "\\Default";
    setText(key, "ID", id);
    setNumber(key, "Version", 256);
    setNumber(key + "\\DisplayInfo", "Duration", duration);
    setText(key + "\\ImageInfo", "ImageName", picture(id + ".jpg"));
}

void StoreFixture::addHotspot(const std::string& recordPath, const std::string& name, const std::string& url,
                              const std::vector<std::uint8_t>& region) {
    setText(recordPath + "\\ImageInfo\\" + name, "URL", url);
    setBytes(recordPath + "\\ImageInfo\\" + name, "Region", REG_BINARY, region);
}

std::string StoreFixture::picture(const std::string& name, int width, int height) {
    std::string full = folder.file(name);
    if (!fileExists(full)) {
        std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(width, height, 200, 100, 50));
        writeWholeFile(full, std::string(bytes.begin(), bytes.end()));
    }
    return full;
}

std::vector<std::uint8_t> regionBytes(const std::vector<std::pair<int, int>>& points) {
    std::vector<std::uint8_t> bytes(130, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int values[2] = {points[i].first, points[i].second};
        for (int c = 0; c < 2; ++c) {
            bytes[4 * i + 2 * c] = static_cast<std::uint8_t>(values[c]);
            bytes[4 * i + 2 * c + 1] = static_cast<std::uint8_t>(values[c] >> 8);
        }
    }
    bytes[128] = static_cast<std::uint8_t>(points.size());
    return bytes;
}
