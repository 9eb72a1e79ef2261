// The keyboard input object: its place on the stack of key handlers, and the key names.
#include "RKbdInp.h"

#include "OMPrivateKeys.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

namespace {

OMScriptableObject* makeKeyboardInput() { return new RKbdInp; }

}  // namespace

OMSR RKbdInp::classRecord{"RKbdInp", makeKeyboardInput};
OMWindow* RKbdInp::keyWindow = nullptr;

OMList<RKbdInp>& RKbdInp::stack() {
    static OMList<RKbdInp> live;
    return live;
}

// A code that stands for a character (Enter for 13, which Ctrl+M also sends) reads with Ctrl as that
// control character does; a key without a character reads "Ctrl-" and its name.
std::string keyName(std::uint32_t code, bool ctrl) {
    std::uint32_t character = code;
    for (const OMPrivateKey* key = kPrivateKeys; key->code; ++key) {
        if (key->code != code) continue;
        if (!ctrl || !key->character) return (ctrl ? "Ctrl-" : "") + std::string(kKeyNames[code - kFirstNamedKey]);
        character = key->character;
    }
    if (!ctrl) return std::string(1, static_cast<char>(character & 0xFF));
    return "Ctrl-" + std::string(1, static_cast<char>((character + 0x40) & 0xFF));
}

RKbdInp::RKbdInp() {
    stack().append(this);
    if (!keyWindow) return;
    if (const OMLink* found = keyWindow->keyHandler()) previousKeyHandler = found->clone();
    const OMLinkToObj<RKbdInp> take(this, &RKbdInp::keyPressed);
    keyWindow->setKeyHandler(&take);
}

RKbdInp::~RKbdInp() {
    OMListLocator<RKbdInp> at(stack());
    at.find(this);
    at++;
    if (RKbdInp* above = at.current()) {
        delete above->previousKeyHandler;
        above->previousKeyHandler = previousKeyHandler;
    } else {
        if (keyWindow) keyWindow->setKeyHandler(previousKeyHandler);
        delete previousKeyHandler;
    }
    stack().remove(this);
}

void RKbdInp::registerProperties() {
    const OMLinkToObj<RKbdInp> get(this, nullptr, &RKbdInp::getKey);
    addDataProperty("key", nullptr, &get);
    addEventProperty("keyPressed");
}

void RKbdInp::keyPressed() {
    keyCode = static_cast<std::uint32_t>(currentMessageWParam());
    signalEvent("keyPressed");
}

// Reading leaves keyCode as it is, so every reading gives the same name.
void RKbdInp::getKey(OMArg buffer) {
    static_cast<void>(writePropertyText(buffer, keyName(keyCode, isControlKeyDown()).c_str()));
}
