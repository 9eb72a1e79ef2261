// The sign-in screen's keys: typing that finds or adds a name, Backspace, Enter, Up and Down, Ctrl+R, and
// the editor of a new entry opened by "newplayer"; Tab and Delete do nothing; other keys go on to the window.
#include "OMFont.h"
#include "OMSystemUtilities.h"
#include "UserRegistry.h"
#include "signin.h"

namespace {

constexpr std::uint32_t kBackspace = 0xE800;
constexpr std::uint32_t kTab = 0xE801;
constexpr std::uint32_t kEnter = 0xE802;
constexpr std::uint32_t kUp = 0xE80A;
constexpr std::uint32_t kDown = 0xE80C;
constexpr std::uint32_t kDelete = 0xE80E;
constexpr std::uint32_t kRemove = 0x12;  // Ctrl+R
constexpr std::uint32_t kFirstPrintable = 32;
constexpr std::uint32_t kLastPrintable = 127;
constexpr std::int32_t kWidthMargin = 10;
constexpr unsigned kQuestionFlags = 0x3004;
constexpr int kYes = 6;

bool printable(std::uint32_t code) { return code >= kFirstPrintable && code <= kLastPrintable; }

// Tab and Delete are the screen's own keys that do nothing: they never reach the window.
bool ownKey(std::uint32_t code) {
    return printable(code) || code == kBackspace || code == kEnter || code == kUp || code == kDown || code == kRemove ||
           code == kTab || code == kDelete;
}

}  // namespace

// The list holds the capture, so the window's keys come here; those it has no use for go on (Esc).
void signin::onKey() {
    const auto code = static_cast<std::uint32_t>(currentMessageWParam());
    if (!ownKey(code)) return passKeyOn();
    if (inputLocked || disabled) return;
    if (typingNew) return newEntryKey(code);
    listKey(code);
}

void signin::listKey(std::uint32_t code) {
    switch (code) {
    case kEnter: return enter();
    case kRemove: return removeHighlighted();
    case kUp: return moveHighlight(-1);
    case kDown: return moveHighlight(1);
    case kBackspace: return backspace();
    default:
        if (!printable(code) || !acceptCharacter(code)) return;
        typeCharacter(code);
        signalEvent("cSignin");
        return;
    }
}

// The new entry stays the top one while it is typed.
void signin::newEntryKey(std::uint32_t code) {
    if (code == kEnter) return enter();
    if (code == kBackspace) {
        if (typed.empty()) return;
        typed.pop_back();
        names.front() = typed;
        if (!typed.empty()) return refresh();
        takeBackNewEntry();
        newAllowed = true;
        refresh();
        signalEvent("noName");
        return;
    }
    if (!printable(code) || !acceptCharacter(code)) return;
    typed += static_cast<char>(code);
    names.front() = typed;
    refresh();
    signalEvent("cSignin");
}

// A handler may drop the screen: each key raises its event last and touches nothing after it.
void signin::enter() {
    const bool accepted = start();
    typed.clear();
    if (accepted) signalEvent("hit");
}

// A blank before anything is typed is ignored and a first letter becomes a capital; past 12 characters or
// the list's width the key beeps. An accepted character locks the keys until "clear"; its key then raises
// "cSignin".
bool signin::acceptCharacter(std::uint32_t& code) {
    if (code == ' ' && typed.empty()) return false;
    if (typed.empty() && code >= 'a' && code <= 'z') code = code - 'a' + 'A';
    const std::string wider = highlighted() + static_cast<char>(code);
    if (typed.size() >= static_cast<std::size_t>(kMaxTyped) || font->textWidth(wider.c_str()) > width_ - kWidthMargin) {
        beep();
        return false;
    }
    inputLocked = true;
    return true;
}

// The typed text highlights the first name it begins; one it begins none of becomes a new entry.
void signin::typeCharacter(std::uint32_t code) {
    typed += static_cast<char>(code);
    if (adding) {
        highlighted() += static_cast<char>(code);
        return refresh();
    }
    const std::int32_t found = findTyped(-1);
    matched = found >= 0;
    if (matched) {
        highlightIndex(found);
    } else if (count() >= kMaxNames) {
        alertBox("The maximum number of users is reached.\rNew user cannot be added.", 0x3000, nullptr);
        typed.clear();
    } else {
        highlightIndex(insertSorted(typed));
        adding = true;
    }
    refresh();
}

void signin::backspace() {
    if (typed.empty()) return;
    typed.pop_back();
    if (adding) highlighted().pop_back();
    if (typed.empty()) {
        takeBackNewEntry();
        highlight = 1;
        top = row = 0;
        newAllowed = true;
        matched = false;
        refresh();
        signalEvent("noName");
        return;
    }
    const std::int32_t self = adding ? highlight - 1 : -1;
    const std::int32_t found = findTyped(self);
    if (found < 0) return refresh();
    const std::string name = names[static_cast<std::size_t>(found)];
    takeBackNewEntry();
    for (std::int32_t i = 0; i < count(); ++i)
        if (names[static_cast<std::size_t>(i)] == name) highlightIndex(i);
    matched = true;
    refresh();
}

void signin::moveHighlight(std::int32_t step) {
    if (!typed.empty() || highlight + step < 1 || highlight + step > count()) return;
    highlight += step;
    const std::int32_t nextRow = row + step;
    if (nextRow < 0 || nextRow >= kRows) {
        top += step;
    } else {
        row = nextRow;
    }
    refresh();
}

void signin::removeHighlighted() {
    if (adding || count() == 0) return;
    if (alertBox("Do you want to remove the highlighted entry?", kQuestionFlags, nullptr) != kYes) return;
    const std::string name = highlighted();
    if (!removeUser(name.c_str())) return;
    names.erase(names.begin() + (highlight - 1));
    if (highlight > count()) highlightIndex(count() > 0 ? count() - 1 : 0);
    refresh();
    signalEvent("killedUser");
}
