// The CD root from "QUOMB.INI": its first 128 bytes, the drive letter after the first "=".
#include "CDRoot.h"

#include <cstdio>
#include <cstdlib>

#include "OMSystemUtilities.h"

namespace {

constexpr std::size_t kIniReadSize = 128;
constexpr unsigned kAlertFlags = 0x3000;

std::string readRoot() {
    std::FILE* file = std::fopen("QUOMB.INI", "rb");
    if (!file) return {};
    char bytes[kIniReadSize];
    const std::size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    std::string root = cdRootFromIni(std::string_view(bytes, count));
    if (root.empty()) {
        alertBox("QUOMB.INI file corrupted, please reinstall.", kAlertFlags, nullptr);
        std::exit(0);
    }
    return root;
}

}  // namespace

const std::string& cdRoot() {
    static const std::string root = readRoot();
    return root;
}

std::string cdRootFromIni(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals + 1 >= text.size() || text[equals + 1] == '\0') return {};
    return std::string(1, text[equals + 1]) + ":\\QUOMB\\";
}
