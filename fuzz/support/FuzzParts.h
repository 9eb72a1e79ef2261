// One fuzz input may carry several files or texts (a PRS file and its PRX and PRD siblings, a script and
// the files it includes): they follow each other, separated by kPartMark. The seed writer joins them
// the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kPartMark = "\n=part=\n";

// At most maxParts parts; the last one keeps whatever follows, marks included.
inline std::vector<std::string_view> splitParts(const std::uint8_t* data, std::size_t size, std::size_t maxParts) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t mark = rest.find(kPartMark);
        if (mark == std::string_view::npos) break;
        parts.push_back(rest.substr(0, mark));
        rest.remove_prefix(mark + kPartMark.size());
    }
    parts.push_back(rest);
    return parts;
}

inline std::string joinParts(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += kPartMark;
        joined += parts[i];
    }
    return joined;
}

// Ends the run as a finding: a broken invariant is reported with its input like a crash.
[[noreturn]] inline void fuzzFailure(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
#define FUZZ_CHECK(condition) ((condition) ? (void)0 : fuzzFailure(#condition))
