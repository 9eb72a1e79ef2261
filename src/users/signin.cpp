// The sign-in screen's list, layout, drawing, signing in, the verbs, and the script class "signin".
#include "signin.h"

#include <algorithm>
#include <cstdlib>

#include "OMCanvas.h"
#include "OMFont.h"
#include "OMFontCache.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "RWSlider.h"
#include "UserRegistry.h"

namespace {

// Rows are 20.8 pixels high, in integers: row i spans 208 x i / 10 to 208 x (i + 1) / 10 below the top.
constexpr std::int32_t kRowTenths = 208;
constexpr std::int32_t kSliderInset = 17;
constexpr std::int32_t kSliderPage = 5;
constexpr std::int32_t kTextDrop = 16;
constexpr std::size_t kLongestName = 63;
constexpr unsigned kAlertFlags = 0x3000;

constexpr OMColorRecord kRowColour{0, 0, 0, 89};
constexpr OMColorRecord kHighlightColour = colorOf(127, 127, 127);
constexpr OMColorRecord kTextColour = colorOf(255, 255, 255);
constexpr OMColorRecord kTypedColour = colorOf(0, 0, 255);

constexpr const char* kDuplicate = "This user name is already on the list. Use a new name.";
constexpr const char* kNoName = "Type a user name to start the session.";

std::int32_t rowEdge(std::int32_t i) { return kRowTenths * i / 10; }

// Arguments: x, y, width.
OMScriptableObject* makeSignin() {
    std::int32_t v[3];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    return window ? new signin(window, v[0], v[1], v[2]) : nullptr;
}

}  // namespace

OMSR signin::classRecord{"signin", makeSignin};

signin::signin(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t width)
    : OMTrinket(owner, kRedrawWhole), font(findFontByID(kFontId)), x_(x), width_(width) {
    for (std::int32_t i = 0; i < kRows; ++i) rowRects[i] = OMRect{x, y + rowEdge(i), x + width, y + rowEdge(i + 1)};
    const std::int32_t height = rowEdge(kRows);
    setBounds(x, y, x + width, y + height);
    loadList();
    if (count() > kRows)
        slider = RWSlider::make(owner, x + width, y + kSliderInset, height - 2 * kSliderInset, 1, count() - kRows,
                                kSliderPage);
    captureMouse();
}

signin::~signin() {
    deleteUserStore();
    delete slider;
    releaseFont(font);
}

void signin::registerProperties() {
    for (const char* event : {"hit", "noName", "cSignin", "cCancel", "killedUser"}) addEventProperty(event);
    const OMLinkToFct ignored(readOnlySetter);
    const OMLinkToObj<signin> get(this, nullptr, &signin::getIsNew);
    addDataProperty("isNew", &ignored, &get);
    const struct { const char* name; void (signin::*verb)(); } verbs[] = {
        {"start", &signin::startVerb}, {"newplayer", &signin::newPlayer}, {"cancel", &signin::cancel},
        {"clear", &signin::clearVerb}, {"enable", &signin::enableVerb},   {"disable", &signin::disableVerb}};
    for (const auto& v : verbs) {
        const OMLinkToObj<signin> link(this, v.verb);
        addMethodProperty(v.name, &link);
    }
}

void signin::getIsNew(OMArg buffer) { writeInteger(buffer, isNew); }

void signin::clearVerb() {
    inputLocked = false;
    captureMouse();
}

void signin::enableVerb() {
    disabled = false;
    captureMouse();
}

// The registry's user count says how many names to take; a repeated name is reported and left out.
void signin::loadList() {
    isNew = 0;
    highlight = 1;
    row = top = 0;
    typed.clear();
    typingNew = matched = adding = false;
    newAllowed = true;
    names.clear();
    const std::int32_t total = userCount();
    for (std::int32_t i = 0; i < total; ++i) {
        const std::string name = std::string(i == 0 ? firstUserName() : nextUserName()).substr(0, kLongestName);
        if (name.empty()) break;
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            alertBox(kDuplicate, kAlertFlags, nullptr);
            continue;
        }
        static_cast<void>(insertSorted(name));
    }
}

std::int32_t signin::insertSorted(const std::string& name) {
    const auto at = std::upper_bound(names.begin(), names.end(), name);
    const auto index = at - names.begin();
    names.insert(at, name);
    return static_cast<std::int32_t>(index);
}

std::string& signin::highlighted() {
    static std::string none;
    none.clear();
    return highlight >= 1 && highlight <= count() ? names[static_cast<std::size_t>(highlight - 1)] : none;
}

void signin::highlightIndex(std::int32_t index) {
    highlight = index + 1;
    top = index < kRows ? 0 : index - (kRows - 1);
    row = index < kRows ? index : kRows - 1;
}

std::int32_t signin::findTyped(std::int32_t except) const {
    for (std::int32_t i = 0; i < count(); ++i)
        if (i != except && names[static_cast<std::size_t>(i)].compare(0, typed.size(), typed) == 0) return i;
    return -1;
}

// The unfinished new entry is the highlighted one (typed into at the top while typingNew).
void signin::takeBackNewEntry() {
    if (!typingAnEntry()) return;
    if (highlight >= 1 && highlight <= count()) names.erase(names.begin() + (highlight - 1));
    adding = typingNew = false;
}

void signin::refresh() {
    invalidate();
    if (!slider) return;
    slider->setValue(top + RWSlider::kSilent);
    sliderSeen = slider->value;
}

// The slider scrolls the rows; the highlight moves with them unless a new entry is being typed.
void signin::tick() {
    if (!slider || slider->value == sliderSeen) return;
    const std::int32_t moved = slider->value - sliderSeen;
    sliderSeen = slider->value;
    top += moved;
    if (!typingAnEntry()) highlight = std::clamp(highlight + moved, 1, std::max(count(), 1));
    invalidate();
}

// While a new entry is typed it keeps the highlight, so the letters and Enter still go to it.
void signin::rowUnderMouse() {
    if (typingAnEntry()) return;
    const POINT point{OMTrinketWindow::inputRecord.x, OMTrinketWindow::inputRecord.y};
    for (std::int32_t r = 0; r < kRows; ++r) {
        if (!rectContains(rowRects[r], point) || top + r >= count()) continue;
        highlight = top + r + 1;
        row = r;
        invalidate();
    }
}

void signin::onMouseDown() { rowUnderMouse(); }

void signin::onDblClick() {
    rowUnderMouse();
    if (start()) signalEvent("hit");
}

void signin::draw() {
    OMCanvas& canvas = *window->offscreen;
    OMFont* const savedFont = canvas.font;
    const std::int32_t savedFill = canvas.fillEnabled, savedFrame = canvas.frameEnabled;
    canvas.font = font;
    canvas.fillEnabled = 1;
    canvas.frameEnabled = 0;
    const std::int32_t textX = x_ + font->ascent() / 2;
    for (std::int32_t r = 0; r < kRows; ++r) {
        const bool lit = top + r + 1 == highlight;
        canvas.fillColor = lit ? kHighlightColour : kRowColour;
        canvas.drawRectangle(rowRects[r]);
        if (top + r >= count()) continue;
        canvas.textColor = kTextColour;
        canvas.drawText(textX, rowRects[r].top + kTextDrop, names[static_cast<std::size_t>(top + r)].c_str());
        if (!lit || !matched) continue;
        canvas.textColor = kTypedColour;
        canvas.drawText(textX, rowRects[r].top + kTextDrop, typed.c_str());
    }
    canvas.font = savedFont ? savedFont : canvas.ownFont.get();
    canvas.fillEnabled = savedFill;
    canvas.frameEnabled = savedFrame;
}

// A new entry must not repeat a name; accepted, it moves to its sorted place.
bool signin::start() {
    if (disabled) return false;
    std::string& entry = highlighted();
    entry.erase(entry.find_last_not_of(' ') + 1);
    if (entry.empty()) {
        alertBox(kNoName, kAlertFlags, nullptr);
        isNew = kRejected;
        return false;
    }
    const std::string name = entry;
    if (typingAnEntry()) {
        const std::int32_t self = highlight - 1;
        names.erase(names.begin() + self);
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            alertBox(kDuplicate, kAlertFlags, nullptr);
            loadList();
            isNew = kRejected;
            refresh();
            return false;
        }
        highlightIndex(insertSorted(name));
    }
    isNew = selectOrAddUser(name.c_str()) ? 0 : 1;
    adding = typingNew = false;
    refresh();
    hide();
    releaseCapture();
    disabled = true;
    return true;
}

void signin::newPlayer() {
    if (disabled) return;
    if (count() >= kMaxNames) {
        alertBox("The maximum number of users is reached.\rNew user cannot be added.", kAlertFlags, nullptr);
        return;
    }
    if (!newAllowed || !typed.empty()) return;
    typingNew = true;
    names.insert(names.begin(), std::string());
    top = row = 0;
    highlight = 1;
    newAllowed = false;
    refresh();
}

void signin::cancel() {
    if (disabled) return;
    takeBackNewEntry();
    loadList();
    refresh();
}
