// The record of one splash screen as the store loads it from SSIDs\<id> or from an application's
// Default key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DssFormats.h"

struct cDSSHotspotInfo {
    std::string url;
    std::vector<RegionPoint> region;  // empty: no region
};

constexpr std::uint32_t kDefaultDuration = 3000;  // milliseconds, when Duration is 0 or missing

struct cDSSInfo {
    std::uint32_t version = 0;
    std::uint16_t isDefault = 0;
    std::uint16_t notRetrievingImage = 0;
    std::uint16_t neverDisplay = 0;
    std::string id;
    std::uint32_t duration = kDefaultDuration;
    std::uint32_t maxViews = 0;
    long startDate = 0;
    long stopDate = 0;
    std::vector<std::string> skipApps;
    std::vector<std::string> showApps;
    std::string imageName;
    std::uint16_t numPieces = 0;
    std::uint16_t nextPiece = 0;
    std::vector<cDSSHotspotInfo> hotspots;
};
