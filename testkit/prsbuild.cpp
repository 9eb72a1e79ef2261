// prsbuild OUTPUT LIST: writes OUTPUT (.PRS, .PRX, or a resource folder when it has no extension) from LIST,
// whose lines read "TYPE ID FILE" (FILE relative to the list's folder; blank lines and lines starting with
// ";" are skipped). Exit code 0 on success, 1 with a message otherwise.
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "Files.h"
#include "PrsWriter.h"

namespace {

std::string folderOf(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? "" : path.substr(0, cut + 1);
}

// Parses one list line into resource; false with a message for a malformed line.
bool parseLine(const std::string& line, const std::string& folder, PrsResource& resource, std::string& error) {
    std::istringstream in(line);
    std::string type, file;
    long id = -1;
    if (!(in >> type >> id >> file) || type.size() > 4 || id < 0 || id > 65535) {
        error = "malformed line: " + line;
        return false;
    }
    resource.type = type;
    resource.id = static_cast<std::uint16_t>(id);
    resource.data = readWholeFile(folder + file);
    return true;
}

int run(const std::string& output, const std::string& list) {
    std::vector<PrsResource> resources;
    for (std::string line : splitLines(readWholeFile(list), "\n")) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == ';') continue;
        PrsResource resource;
        std::string error;
        if (!parseLine(line, folderOf(list), resource, error)) {
            std::fprintf(stderr, "prsbuild: %s\n", error.c_str());
            return 1;
        }
        resources.push_back(resource);
    }
    if (!writeResources(output, resources)) {
        std::fprintf(stderr, "prsbuild: %s: the output must end in .PRS or .PRX, or have no extension\n",
                     output.c_str());
        return 1;
    }
    std::printf("prsbuild: %u resources written to %s\n", unsigned(resources.size()), output.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: prsbuild OUTPUT LIST\n");
        return 1;
    }
    try {
        return run(argv[1], argv[2]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "prsbuild: %s\n", failure.what());
        return 1;
    }
}
