// Writes QUOMB_32's icon and cursor files into a folder: QuombIcon.ico (32 x 32), QuombIconSmall.ico
// (16 x 16) and QuombPointer.cur; and the exit dialog's sounds Exit6094.wav, Exit6097.wav, Exit6098.wav
// and Exit6099.wav.
//
//   progart FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "IconFiles.h"
#include "ProgramPictures.h"
#include "ProgramSounds.h"

namespace {

bool writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "progart: cannot write %s\n", name.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: progart FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = writeFile(folder + "QuombIcon.ico", writeIconFile(applicationIcon(32))) &&
                   writeFile(folder + "QuombIconSmall.ico", writeIconFile(applicationIcon(16))) &&
                   writeFile(folder + "QuombPointer.cur", writeCursorFile(pointingHand()));
    for (int id : {6094, 6097, 6098, 6099})
        written = written && writeFile(folder + "Exit" + std::to_string(id) + ".wav", exitDialogSound(id));
    return written ? 0 : 1;
}
