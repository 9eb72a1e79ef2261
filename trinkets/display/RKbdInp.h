// Keyboard input for scripts: while an object exists it takes the trinket window's keys, stores each
// key's code and raises "keyPressed"; the script reads the key's name from "key".
#pragma once

#include <cstdint>
#include <string>

#include "OMLink.h"
#include "OMList.h"
#include "OMSR.h"
#include "OMScriptableObject.h"

class OMWindow;

// The names of the private key codes 0xE800-0xE81A.
inline constexpr std::uint32_t kFirstNamedKey = 0xE800;
inline constexpr const char* kKeyNames[] = {
    "Backspace", "Tab", "Enter", "Pause", "Esc", "PageUp", "PageDown", "End", "Home", "Left", "Up", "Right", "Down",
    "Insert", "Delete", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};

// The name of a key code as "key" reads it: a key's name, or else its character. With ctrl, "Ctrl-"
// comes first and a character is raised by 0x40, so that control characters read as capital letters.
std::string keyName(std::uint32_t code, bool ctrl);

// Objects stack on the window's key handler: the newest receives the keys, and each gives the handler it
// found back when it goes. An object deleted while others above it live is unlinked from the middle: the
// one above it inherits the handler it had saved.
class RKbdInp : public OMScriptableObject {
public:
    RKbdInp();
    ~RKbdInp() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // Called by the window for each key: stores the code of the current message and raises "keyPressed".
    void keyPressed();

    // The window every object registers with; the application sets it once.
    static void setWindow(OMWindow* window) { keyWindow = window; }
    static OMWindow* window() { return keyWindow; }

    std::uint32_t keyCode = 0;
    // Owned: the key handler installed when this object was made (null: none).
    OMLink* previousKeyHandler = nullptr;

    // The class's registry record ("RKbdInp"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    void getKey(OMArg buffer);

    static OMWindow* keyWindow;
    // Live objects, oldest first.
    static OMList<RKbdInp>& stack();
};
