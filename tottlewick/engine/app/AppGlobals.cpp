// The program's run-long globals and the folders that configuration query 4 sets.
#include "AppGlobals.h"

#include <initializer_list>

#include "AppBindings.h"
#include "File.h"
#include "FileFolders.h"
#include "Res.h"
#include "UtilString.h"

namespace {

struct Globals {
    HINSTANCE instance = nullptr;
    char commandLine[kAppTextSize] = {};
    char productName[kAppTextSize] = "Tottlewick";
    char applicationFolder[kFilePathSize] = {};
    char localResourceFolder[kFilePathSize] = {};
    char discResourceFolder[kFilePathSize] = {};
    std::int16_t localResourceFolderSet = 0;
    AppDisplayInfo displayInfo = {};
    std::uint16_t quit = 0;
    HMENU menu = nullptr;
    HACCEL accelerators = nullptr;
};

Globals app;

}  // namespace

void AppInitGlobals(HINSTANCE instance) {
    app = Globals{};
    app.instance = instance;
}

HINSTANCE AppGetInstance() { return app.instance; }

void AppSaveCommandLine(const char* commandLine) {
    UtilStrCopy(app.commandLine, commandLine ? commandLine : "", sizeof app.commandLine);
}

const char* AppGetCommandLine() { return app.commandLine; }

char* AppGetProductName() { return app.productName; }

char* AppGetApplicationFolder() { return app.applicationFolder; }

char* AppGetLocalResourceFolder() { return app.localResourceFolder; }

char* AppGetDiscResourceFolder() { return app.discResourceFolder; }

void AppInitFolders() {
    // The file manager's program, data and user folders start as the program file's folder too.
    FileInitFolders();
    for (char* folder : {app.applicationFolder, app.localResourceFolder, app.discResourceFolder})
        UtilStrCopy(folder, FileGetProgramFolder(), kFilePathSize);
}

std::int16_t AppLocateResources() {
    if (AppConfigCallback(kAppQueryFolders, app.applicationFolder) == 1) return 0;
    app.localResourceFolderSet = 1;
    ResSetStartupFolders(app.applicationFolder, app.localResourceFolder, app.discResourceFolder);
    return 1;
}

std::int16_t AppIsLocalResourceFolderSet() { return app.localResourceFolderSet; }

AppDisplayInfo* AppGetDisplayInfo() { return &app.displayInfo; }

void AppQuit() { app.quit = 1; }

std::uint16_t AppIsQuitting() { return app.quit; }

void AppLoadMenuResources() {
    app.menu = LoadMenuA(app.instance, MAKEINTRESOURCEA(1));
    app.accelerators = LoadAcceleratorsA(app.instance, MAKEINTRESOURCEA(1));
}

HMENU AppGetMenuResource() { return app.menu; }

void AppDestroyMenuResource() {
    if (app.menu) DestroyMenu(app.menu);
    app.menu = nullptr;
}
