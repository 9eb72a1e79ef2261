// Writes Tottlewick's icon file into a folder: TottlewickIcon.ico (32 x 32).
//
//   tottart FOLDER
#include <cstdio>
#include <string>

#include "Files.h"
#include "IconFiles.h"
#include "TottlewickIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tottart FOLDER\n");
        return 2;
    }
    writeWholeFile(std::string(argv[1]) + "/TottlewickIcon.ico", writeIconFile(tottlewickIcon()));
    return 0;
}
