// The resource-file builder: PRS blocks, index images, PRX files and resource folders.
#include "PrsWriter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "ByteWriter.h"
#include "Files.h"

namespace {

constexpr std::uint32_t kHeaderSize = 48;
constexpr std::uint32_t kBlockHeaderSize = 28;
constexpr std::uint32_t kIndexHeadSize = 168;

std::uint32_t typeValue(const std::string& type) {
    const std::string bytes = prsTypeBytes(type);
    return ByteReader(bytes.data(), bytes.size(), ByteOrder::little).chars4();
}

std::string entryBytes(std::uint16_t next, std::uint32_t offset, const std::string& type, std::uint16_t id,
                       std::uint16_t flags, std::uint32_t length) {
    return prsBe16(next) + prsBe32(0) + prsBe16(0) + prsBe32(offset) + prsTypeBytes(type) + prsBe16(id) +
           prsBe16(flags) + prsBe32(length);
}

std::string extensionOf(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t cut = path.find_last_of("\\/");
    if (dot == std::string::npos || (cut != std::string::npos && dot < cut)) return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace

std::string prsBe16(std::uint16_t value) {
    ByteWriter w(ByteOrder::big);
    w.u16(value);
    return w.str();
}

std::string prsBe32(std::uint32_t value) {
    ByteWriter w(ByteOrder::big);
    w.u32(value);
    return w.str();
}

std::string prsTypeBytes(const std::string& type) {
    std::string bytes = type.substr(0, 4);
    bytes.resize(4, '\0');
    return bytes;
}

std::string prsHeader(std::uint32_t counter, const std::string& signature) {
    std::string header = "PRS Format Resource File\r\n";
    header.append(5, '\0');
    header += '\x1A';
    std::string field = signature.substr(0, 12);
    field.resize(12, '\0');
    return header + field + prsBe32(counter);
}

std::string prsBlock(const PrsResource& resource) {
    auto length = static_cast<std::uint32_t>(kBlockHeaderSize + resource.data.size());
    return prsTypeBytes(resource.type) + prsBe16(resource.id) + std::string(16, '\0') + prsBe16(resource.flags) +
           prsBe32(length) + resource.data;
}

std::string buildPrs(const std::vector<PrsResource>& resources, std::uint32_t counter) {
    std::string file = prsHeader(counter);
    for (const PrsResource& resource : resources) file += prsBlock(resource);
    return file;
}

std::string prsIndexImage(const std::vector<PrsResource>& resources, std::uint32_t counter, std::uint32_t shift) {
    // Entry n describes the n-th block of the file; the resource list links them in (type, id) order.
    auto used = static_cast<std::uint16_t>(resources.size());
    std::vector<std::uint16_t> order(used);
    for (std::uint16_t i = 0; i < used; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::uint16_t a, std::uint16_t b) {
        std::uint32_t ta = typeValue(resources[a].type), tb = typeValue(resources[b].type);
        return ta != tb ? ta < tb : resources[a].id < resources[b].id;
    });
    std::vector<std::uint16_t> next(used + 1u, 0);
    for (std::size_t k = 0; k + 1 < order.size(); ++k) next[order[k] + 1u] = std::uint16_t(order[k + 1] + 1);
    auto capacity = static_cast<std::uint16_t>((used + 15) / 16 * 16);
    std::string image = prsBe16(0) + std::string(132, '\0') + prsBe32(counter) + prsBe16(capacity) + prsBe16(used) +
                        prsBe16(used < capacity ? used + 1 : 0);
    image += entryBytes(used ? std::uint16_t(order[0] + 1) : 0, 0, "", 0, 0, 0);
    std::uint32_t at = kHeaderSize;
    for (std::uint16_t n = 1; n <= used; ++n) {
        const PrsResource& r = resources[n - 1u];
        image += entryBytes(next[n], at + kBlockHeaderSize + shift, r.type, r.id, r.flags,
                            static_cast<std::uint32_t>(r.data.size()));
        at += static_cast<std::uint32_t>(kBlockHeaderSize + r.data.size());
    }
    for (std::uint16_t n = used + 1; n <= capacity; ++n) image += entryBytes(n < capacity ? n + 1 : 0, 0, "", 0, 0, 0);
    return image;
}

std::string buildPrx(const std::vector<PrsResource>& resources, std::uint32_t counter) {
    return prsIndexImage(resources, counter) + buildPrs(resources, counter);
}

void writeResourceFolder(const std::string& folder, const std::vector<PrsResource>& resources) {
    std::error_code ignored;
    std::filesystem::create_directory(folder, ignored);
    for (const PrsResource& resource : resources) {
        std::string type = resource.type.substr(0, resource.type.find('\0'));
        writeWholeFile(folder + "\\" + std::to_string(resource.id) + "." + type, resource.data);
    }
}

bool writeResources(const std::string& path, const std::vector<PrsResource>& resources) {
    std::string extension = extensionOf(path);
    if (extension == "PRS") writeWholeFile(path, buildPrs(resources));
    else if (extension == "PRX") writeWholeFile(path, buildPrx(resources));
    else if (extension.empty()) writeResourceFolder(path, resources);
    else return false;
    return true;
}
