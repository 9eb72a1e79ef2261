// The sign-in screen: seven rows of the sorted list of players' names, a slider beside a longer list,
// incremental search and new names as letters are typed, removal, and signing in through the user registry.
// Script class "signin".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OMSR.h"
#include "OMTrinket.h"

class OMFont;
class RWSlider;

class signin : public OMTrinket {
public:
    static constexpr std::int32_t kRows = 7;
    static constexpr std::int32_t kMaxNames = 99;
    static constexpr std::int32_t kMaxTyped = 12;
    static constexpr std::uint16_t kFontId = 14851;
    // isNew after a rejected sign-in.
    static constexpr std::int32_t kRejected = 2;

    // The list loaded from the registry, with a slider when it holds more names than rows; it takes the
    // mouse capture but ignores keys until "clear".
    signin(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t width);
    // Deletes the registry's store, the slider and the font reference.
    ~signin() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    void onKey() override;
    void onMouseDown() override;
    void onDblClick() override;
    void offsetBy(std::int32_t&, std::int32_t&) override {}
    // Follows the slider when the user moved it.
    void tick() override;
    void draw() override;

    // Signs in with the highlighted entry; true when accepted.
    bool start();
    void newPlayer();
    void cancel();
    void loadList();

    std::int32_t isNew = 0;
    std::int32_t highlight = 1;
    std::int32_t row = 0;
    std::int32_t top = 0;
    bool typingNew = false;
    bool newAllowed = true;
    bool disabled = false;
    bool matched = false;
    bool adding = false;
    bool inputLocked = true;
    std::string typed;
    std::vector<std::string> names;
    OMRect rowRects[kRows];
    RWSlider* slider = nullptr;
    OMFont* font;

    // The class's registry record ("signin"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    std::int32_t count() const { return static_cast<std::int32_t>(names.size()); }
    // A new entry is open: the highlighted one, which receives the typed letters.
    bool typingAnEntry() const { return adding || typingNew; }
    // The highlighted entry's text; empty when there is none.
    std::string& highlighted();
    // Highlights entry `index` (from 0) with the rows placed to show it.
    void highlightIndex(std::int32_t index);
    // The first entry other than `except` that starts with the typed text, or -1.
    std::int32_t findTyped(std::int32_t except) const;
    // Inserts the name at its sorted place and returns its index.
    std::int32_t insertSorted(const std::string& name);
    void takeBackNewEntry();
    void moveHighlight(std::int32_t step);
    // Redraws and puts the slider at the list's top.
    void refresh();
    void rowUnderMouse();

    // Keys (signinKeys.cpp).
    void listKey(std::uint32_t code);
    void newEntryKey(std::uint32_t code);
    // The common rules of a typed character; false when it is refused.
    bool acceptCharacter(std::uint32_t& code);
    void typeCharacter(std::uint32_t code);
    void backspace();
    void removeHighlighted();
    void enter();

    void startVerb() { static_cast<void>(start()); }
    void clearVerb();
    void enableVerb();
    void disableVerb() { disabled = true; }
    void getIsNew(OMArg buffer);

    std::int32_t x_;
    std::int32_t width_;
    // The slider value last set or seen, so that only the user's moves scroll the list.
    std::int32_t sliderSeen = 0;
};
