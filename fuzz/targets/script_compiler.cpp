// The script compiler over a script and the files it includes ("include 1" reads the second part, and so
// on). A script that compiles is saved as a precompiled image, which must load again with the same cells
// and operands.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "FuzzParts.h"
#include "ScriptState.h"
#include "YCompiledImage.h"
#include "YCompiler.h"

namespace {

std::vector<std::string_view> parts;

bool loadPart(const char* name, std::string* text) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(name, &end, 10);
    if (*name == '\0' || *end != '\0' || n == 0 || n >= parts.size()) return false;
    *text = std::string(parts[n]);
    return true;
}

const std::string& imagePath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        std::string p = std::string(folder && *folder ? folder : "/tmp") + "/fuzz-image-" +
                        std::to_string(getpid()) + ".mpc";
        std::atexit([] { std::remove(imagePath().c_str()); });
        return p;
    }();
    return path;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(file);
    }
    return bytes;
}

bool sameCells(const std::vector<YCell>& a, const std::vector<YCell>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].opcode != b[i].opcode || a[i].operand != b[i].operand) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    parts = splitParts(data, size, 1 + kYMaxIncludeDepth);
    freshScriptState();
    YCallStack stack;
    YCompiledScript script;
    if (!compileScript(parts[0].data(), parts[0].size(), loadPart, stack, &script)) return 0;
    FUZZ_CHECK(saveCompiledScript(script, imagePath().c_str()));
    const std::vector<std::uint8_t> image = readFile(imagePath());
    freshScriptState();
    YCompiledScript loaded;
    FUZZ_CHECK(loadCompiledScript(image.data(), image.size(), &loaded));
    FUZZ_CHECK(sameCells(script.cells, loaded.cells));
    FUZZ_CHECK(script.operands == loaded.operands);
    readEveryVariable();
    return 0;
}
