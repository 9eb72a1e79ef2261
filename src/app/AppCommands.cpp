// The commands that name files, launch other programs and keep the menu state; and the registration of
// all 21.
#include "AppCommands.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "ApplicationMain.h"
#include "DescriptorFile.h"
#include "ExitDialog.h"
#include "HelpAndLessons.h"
#include "OMSParameter.h"
#include "OMSound.h"
#include "OMSystemUtilities.h"
#include "OMWaveSound.h"
#include "RAnswer.h"
#include "SceneCommands.h"
#include "YDeathInterest.h"
#include "YScriptLoader.h"

namespace {

constexpr std::size_t kNameSlotSize = 32;
constexpr std::size_t kCommandLineSize = 255;
constexpr unsigned kAlertFlags = 0x3000;

char nameSlots[kNameSlotCount][kNameSlotSize] = {};
std::int32_t menuState = 0;

enum Slot : std::int32_t { kAOFile, kWAVFile, kSFXFile, kVOCFile, kRRGBFile, kMUSFile, kTXTFile };

void nameSlotCommand(OMArg slot) { setNameSlot(static_cast<std::int32_t>(slot), popParameter()); }

// At most 255 characters of a text.
std::string commandLine(const char* text) { return std::string(text).substr(0, kCommandLineSize); }

void doNothing(OMArg) {}
void setMenuCommand(OMArg) { menuState = decimalValue(popParameter()); }

void registerCommand(const char* name, void (*function)(OMArg), OMArg word = 0) {
    const OMLinkToFct link(function, word);
    registerScriptFunction(name, &link);
}

}  // namespace

const char* nameSlot(std::int32_t slot) { return slot >= 0 && slot < kNameSlotCount ? nameSlots[slot] : ""; }

void setNameSlot(std::int32_t slot, const char* name) {
    if (slot < 0 || slot >= kNameSlotCount) return;
    char* stored = nameSlots[slot];
    std::strncpy(stored, name, kNameSlotSize - 1);
    stored[kNameSlotSize - 1] = '\0';
}

void webLinkCommand(OMArg) {
    const std::string address = commandLine(popParameter());
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) alertBox("Unable to launch Web Browser.", kAlertFlags, nullptr);
}

// A launch that fails leaves the program usable: its main script starts afresh on the next pass of the
// main loop (sounds open the device again when they play).
void execCommand(OMArg) {
    OMSound::stopAll();
    OMWaveSound::closeDevice();
    popParameter();
    if (YThread* thread = mainThread()) thread->stop();
    const DescriptorFile* descriptor = currentDescriptorFile();
    const std::string next = commandLine(descriptor ? descriptor->stringParam("WinExeName", 1) : "");
    if (next == "false" || WinExec(next.c_str(), SW_SHOWNORMAL) > 31) return quitApplication();
    alertBox("Unable to launch Application.", kAlertFlags, nullptr);
    restartMainThreadSoon();
}

void registerApplicationCommands() {
    registerCommand("Scene", sceneCommand);
    registerCommand("AOFile", nameSlotCommand, kAOFile);
    registerCommand("WAVFile", nameSlotCommand, kWAVFile);
    registerCommand("SFXFile", nameSlotCommand, kSFXFile);
    registerCommand("VOCFile", nameSlotCommand, kVOCFile);
    registerCommand("MUSFile", nameSlotCommand, kMUSFile);
    registerCommand("RRGBFile", nameSlotCommand, kRRGBFile);
    registerCommand("TXTFile", nameSlotCommand, kTXTFile);
    registerCommand("BlackScreen", blackScreenCommand);
    registerCommand("Help", helpCommand);
    registerCommand("HelpFile", doNothing);
    registerCommand("copyPal", copyPalCommand);
    registerCommand("webLink", webLinkCommand);
    registerCommand("checkCD", checkCDCommand);
    registerCommand("exec", execCommand);
    registerCommand("fadeToBlack", fadeToBlackCommand);
    registerCommand("fadeFromBlack", fadeFromBlackCommand);
    registerCommand("setMenu", setMenuCommand);
    registerCommand("exitQUOMB", exitQUOMBCommand);
    registerCommand("RandomNumber", randomNumberCommand);
    registerCommand("SetCorralTrinketNormalization", setCorralTrinketNormalizationCommand);
    registerAnswerCommands();
}
