// Compiles a script with the title's own compiler and saves it as a precompiled image, which the title
// loads instead of the text.
//
//   scriptimage SOURCE IMAGE
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "YCompiledImage.h"
#include "YHeap.h"

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string& sourceFolder() {
    static std::string folder;
    return folder;
}

bool readText(const std::string& name, std::string* text) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *text = bytes.str();
    return true;
}

// Included scripts are looked for beside the source.
bool loadInclude(const char* name, std::string* text) { return readText(sourceFolder() + name, text); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scriptimage SOURCE IMAGE\n");
        return 2;
    }
    std::string text;
    if (!readText(argv[1], &text)) {
        std::fprintf(stderr, "scriptimage: cannot read %s\n", argv[1]);
        return 1;
    }
    sourceFolder() = folderOf(argv[1]);
    scriptHeap().init();
    YCallStack stack;
    YCompiledScript script;
    if (!compileScript(text.data(), text.size(), loadInclude, stack, &script)) {
        std::fprintf(stderr, "scriptimage: %s does not compile\n", argv[1]);
        return 1;
    }
    if (!saveCompiledScript(script, argv[2])) {
        std::fprintf(stderr, "scriptimage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
