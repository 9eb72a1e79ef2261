// Builds PRS and PRX resource files and resource folders from a list of typed resources, for tests and
// the prsbuild tool. Every number is written big-endian, exactly as the reader expects it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PrsResource {
    std::string type;  // 1 to 4 characters; a shorter type is padded with zero bytes
    std::uint16_t id = 0;
    std::string data;
    std::uint16_t flags = 0;
};

std::string prsBe16(std::uint16_t value);
std::string prsBe32(std::uint32_t value);
// The four type bytes in file order.
std::string prsTypeBytes(const std::string& type);
// The 48-byte file header: text, five zeros, 0x1A, the signature zero-filled to 12 bytes, the counter.
std::string prsHeader(std::uint32_t counter = 0, const std::string& signature = "");
// One block: its 28-byte header (reserved bytes zero) and the data.
std::string prsBlock(const PrsResource& resource);
// A whole PRS file, blocks in the order given.
std::string buildPrs(const std::vector<PrsResource>& resources, std::uint32_t counter = 0);
// The stored index image of buildPrs(resources, counter) as the reader builds it: entry n for the n-th block,
// listed in (type, id) order, capacity a multiple of 16, offsets from the start of the PRS file plus shift.
std::string prsIndexImage(const std::vector<PrsResource>& resources, std::uint32_t counter = 0,
                          std::uint32_t shift = 0);
// A PRX file: the index image followed by the PRS file.
std::string buildPrx(const std::vector<PrsResource>& resources, std::uint32_t counter = 0);
// A resource folder: one file "<id>.<type>" per resource; the folder is created when missing.
void writeResourceFolder(const std::string& folder, const std::vector<PrsResource>& resources);
// By the path's extension: ".PRS", ".PRX" (any case), or a folder when there is none. False for another one.
bool writeResources(const std::string& path, const std::vector<PrsResource>& resources);
