// Tottlewick's test "Global" resource file.
#include "TottlewickGlobal.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

#include "DibWriter.h"
#include "SoundWriter.h"
#include "XmvWriter.h"
#include "XpkForge.h"

namespace {

std::string strTable(const std::string& lines) { return "// messages\r\nBEGIN\r\n" + lines; }

std::string picture() {
    DibPicture p;
    p.width = kGlobalPictureWidth;
    p.height = kGlobalPictureHeight;
    for (std::uint32_t i = 0; i < 256; ++i) p.colors.push_back(i << 16 | i << 8 | i);
    p.colors[kGlobalRed] = 0xFF0000;
    p.colors[kGlobalBlue] = 0x0000FF;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) p.pixels.push_back(y < p.height / 2 ? kGlobalRed : kGlobalBlue);
    }
    return writeBmpFile(p);
}

std::string tone() {
    constexpr std::uint32_t kRate = 22050;
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < kRate / 10; ++i)
        samples.push_back(static_cast<std::int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / kRate)));
    return writeAiff(pcmSound(samples, 1, kRate));
}

}  // namespace

std::vector<PrsResource> tottlewickGlobalResources() {
    return {
        {"STR", 1, strTable("100 \"Tottlewick\"\r\n")},
        {"STR", 2, strTable("3 \"" + std::string(kGlobalShapeMessage) + "\"\r\n")},
        {"DIB", 1, picture()},
        {"AIF", 1, tone()},
    };
}

namespace {

bool writeGlobal(const std::string& folder, const std::vector<PrsResource>& resources) {
    std::error_code failed;
    std::filesystem::create_directories(folder + "\\Resource", failed);
    return writeResources(folder + "\\Resource\\Global.PRS", resources);
}

ForgeBank square(std::int16_t x) {
    ForgeShape shape{0, 0, 10, 10, x, 0, 10, 10, {}};
    shape.pixels.assign(100, ForgePixel{ForgePixel::opaque, 1, 0});
    ForgeBank bank;
    bank.shapes = {shape};
    return bank;
}

}  // namespace

bool writeTottlewickGlobal(const std::string& folder) {
    return writeGlobal(folder, tottlewickGlobalResources());
}

std::vector<PrsResource> tottlewickKitResources() {
    std::vector<PrsResource> kit{{"XMV", 1, xmvWrite(xmvStub(1), ByteOrder::big)}, {"AIF", 900, tone()}};
    for (std::uint16_t id : {1, 100, 101, 102}) kit.push_back({"XPK", id, forgeXpk(square(0), ByteOrder::big)});
    for (std::uint16_t id : {120, 121, 122}) kit.push_back({"XPK", id, forgeXpk(square(50), ByteOrder::big)});
    return kit;
}

bool writeTottlewickTitle(const std::string& folder) {
    std::vector<PrsResource> resources = tottlewickGlobalResources();
    const std::vector<PrsResource> kit = tottlewickKitResources();
    resources.insert(resources.end(), kit.begin(), kit.end());
    return writeGlobal(folder, resources);
}
