// Writes the generated Tottlewick title's resource files:
//   titlegen TITLE_DIR
// gives TITLE_DIR/Resource/Global.PRS and TITLE_DIR/disc (".windows-label" "Tottlewick", Resource/ with
// a .PRS file for each module of TitleIds.h); the sounds that modules share out go into Global.PRS.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "TitleArt.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: titlegen TITLE_DIR\n";
        return 2;
    }
    const std::filesystem::path title = argv[1];
    const std::filesystem::path local = title / "Resource", disc = title / "disc";
    std::filesystem::create_directories(local);
    std::filesystem::create_directories(disc / "Resource");
    std::ofstream(disc / ".windows-label", std::ios::binary) << "Tottlewick";
    std::vector<std::vector<PrsResource>> files;
    std::vector<PrsResource> shared;
    for (const TitleModule& module : kTitleModules) {
        TitleArt art(module);
        titleRunArt(art);
        files.push_back(art.resources());
        for (PrsResource& sound : art.shared()) shared.push_back(std::move(sound));
    }
    files.front().insert(files.front().end(), shared.begin(), shared.end());  // Global.PRS
    for (std::size_t m = 0; m < files.size(); ++m) {
        const TitleModule& module = kTitleModules[m];
        const std::filesystem::path file =
            (module.onDisc ? disc / "Resource" : local) / (std::string(module.name) + ".PRS");
        if (!writeResources(file.string(), files[m])) {
            std::cerr << "titlegen: cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
