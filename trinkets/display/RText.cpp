// Texts: the two forms, fonts from the cache, drawing on one line or wrapped, and the script class "RText".
#include "RText.h"

#include <cstdlib>
#include <cstring>

#include "OMFont.h"
#include "OMFontCache.h"
#include "OMMemCanvas.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"
#include "RTextLayout.h"
#include "YDeathInterest.h"

namespace {

std::unique_ptr<char[]> copyOf(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<char[]> copy(new char[size]);
    std::memcpy(copy.get(), text, size);
    return copy;
}

// text, colorIndex, x, y, then centred (point form, when the sixth is empty) or width, height, wrap.
OMScriptableObject* makeText() {
    const char* p[7];
    for (const char*& parameter : p) parameter = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    const auto colorIndex = static_cast<std::int16_t>(std::atoi(p[1]));
    const std::int32_t x = std::atoi(p[2]);
    const std::int32_t y = std::atoi(p[3]);
    if (!*p[5]) return new RText(p[0], nullptr, colorIndex, POINT{x, y}, std::atoi(p[4]), window);
    const OMRect box{x, y, x + std::atoi(p[4]), y + std::atoi(p[5])};
    return new RText(p[0], nullptr, colorIndex, box, std::atoi(p[6]), window);
}

}  // namespace

OMSR RText::classRecord{"RText", makeText};

void RText::setDeathHook(const OMLink* link) { textDeathHook().set(link); }
OMLink* RText::getDeathHook() { return textDeathHook().link(); }

RText::RText(const char* text, OMFont* font, std::int16_t colorIndex, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion),
      centred_(1),
      sizedToText_(0),
      text_(copyOf(text)),
      font_(font ? font : new OMSysFont),
      colorIndex_(colorIndex) {
    static_cast<void>(findFontByPointer(font_));
}

RText::RText(const char* text, OMFont* font, std::int16_t colorIndex, OMRect box, std::int32_t wrap,
             OMTrinketWindow* owner)
    : RText(text, font, colorIndex, owner) {
    wrap_ = wrap;
    setBounds(box);
    isCorralled = 0;
}

RText::RText(const char* text, OMFont* font, std::int16_t colorIndex, POINT anchor, std::int32_t centred,
             OMTrinketWindow* owner)
    : RText(text, font, colorIndex, owner) {
    centred_ = centred;
    sizedToText_ = 1;
    anchor_ = anchor;
    fitBoundsToText();
    isCorralled = 0;
}

RText::~RText() {
    releaseFont(font_);
    textDeathHook().notify(this);
}

void RText::fitBoundsToText() {
    if (!sizedToText_) return;
    OMRect r;
    font_->textBounds(r, text_.get());
    std::int32_t left = anchor_.x;
    std::int32_t top = anchor_.y;
    if (centred_) {
        left -= font_->textWidth(text_.get()) / 2;
        top -= (font_->ascent() + font_->descent()) / 2;
    }
    r = offsetRect(r, left - r.left, top - r.top);
    r.right += 5;
    setBounds(r);
}

void RText::offsetBy(std::int32_t& dx, std::int32_t& dy) {
    OMTrinket::offsetBy(dx, dy);
    if (!sizedToText_) return;
    anchor_.x += dx;
    anchor_.y += dy;
}

void RText::setText(const char* text) {
    text_ = copyOf(text);
    wrappedFont_ = nullptr;
    invalidate();
    fitBoundsToText();
}

void RText::setColorIndex(std::int16_t index) {
    colorIndex_ = index;
    invalidate();
}

void RText::takeFont(OMFont* fromCache) {
    releaseFont(font_);
    font_ = fromCache;
    wrappedFont_ = nullptr;
    invalidate();
    fitBoundsToText();
}

void RText::setFont(OMFont* font) { takeFont(findFontByPointer(font)); }
void RText::setFontById(std::uint16_t id) { takeFont(findFontByID(id)); }
void RText::setFontByName(const char* name, std::int32_t size, std::int32_t style) {
    takeFont(findFontByName(name, style, size));
}

void RText::setWrap(std::int32_t wrap) {
    wrap_ = wrap;
    invalidate();
}

// Halvings truncate toward zero, so a text wider than its box spills out evenly on both sides.
void RText::draw() {
    OMCanvas& canvas = *window->offscreen;
    OMFont* const saved = canvas.font;
    canvas.font = font_;
    canvas.textColor = OMColorRecord{0, 0, 0, colorIndex_};
    if (sizedToText_) {
        canvas.drawText(bounds.left, bounds.top + canvas.font->ascent(), text_.get());
    } else if (!wrap_) {
        const std::int32_t x = bounds.left + (bounds.right - bounds.left - canvas.font->textWidth(text_.get())) / 2;
        const std::int32_t y = bounds.top + (bounds.bottom - bounds.top + canvas.font->ascent() - canvas.font->descent()) / 2;
        canvas.drawText(x, y, text_.get());
    } else {
        drawWrapped(canvas);
    }
    canvas.font = saved ? saved : canvas.ownFont.get();
}

void RText::drawWrapped(OMCanvas& canvas) {
    const std::int32_t boxWidth = bounds.right - bounds.left;
    wrapLines(*canvas.font, boxWidth);
    const std::int32_t n = lineCount_;
    const std::int32_t lineHeight = lineHeight_;
    std::int32_t baseline = bounds.top + (bounds.bottom - bounds.top) / 2 - lineHeight * ((n - 1) / 2);
    if (n % 2 == 0) baseline -= lineHeight / 2;
    for (const WrappedLine& line : lines_) {
        canvas.drawText(bounds.left + (boxWidth - line.width) / 2, baseline, line.text.c_str());
        baseline += lineHeight;
    }
}

void RText::wrapLines(OMFont& font, std::int32_t boxWidth) {
    if (wrappedFont_ == &font && wrappedWidth_ == boxWidth) return;
    RTextLayout layout(text_.get(), font, boxWidth);
    layout.breakLines();
    lineCount_ = layout.countLines();
    lineHeight_ = font.ascent() + font.descent() + font.leading();
    lines_.clear();
    layout.forEachLine([&](const char* line, std::int32_t width) { lines_.push_back({line, width}); });
    wrappedFont_ = &font;
    wrappedWidth_ = boxWidth;
}

void RText::registerProperties() {
    OMTrinket::registerProperties();
    const OMLinkToFct ignored(readOnlySetter);
    // A property without setter refuses a set; the two measures accept one and ignore it.
    const struct {
        const char* name;
        void (RText::*set)(OMArg);
        void (RText::*get)(OMArg);
        bool ignoresSet;
    } table[] = {{"colorIndex", &RText::setColorIndexText, &RText::getColorIndexText, false},
                      {"fontAscent", nullptr, &RText::getAscentText, false},
                      {"fontDescent", nullptr, &RText::getDescentText, false},
                      {"fontLeading", nullptr, &RText::getLeadingText, false},
                      {"text", &RText::setTextText, &RText::getTextText, false},
                      {"textHeight", nullptr, &RText::getTextHeightText, true},
                      {"textWidth", nullptr, &RText::getTextWidthText, true},
                      {"userData", &RText::setUserDataText, &RText::getUserDataText, false},
                      {"wrap", &RText::setWrapText, &RText::getWrapText, false}};
    for (const auto& p : table) {
        const OMLinkToObj<RText> get(this, nullptr, p.get);
        const OMLinkToObj<RText> set(this, nullptr, p.set);
        addDataProperty(p.name, p.set ? static_cast<const OMLink*>(&set) : p.ignoresSet ? &ignored : nullptr, &get);
    }
    const OMLinkToObj<RText> font(this, &RText::setFontVerb);
    addMethodProperty("setFont", &font);
}

void RText::setColorIndexText(OMArg text) { colorIndex_ = static_cast<std::int16_t>(integerOf(text)); }
void RText::getColorIndexText(OMArg buffer) { writeInteger(buffer, colorIndex_); }
void RText::getAscentText(OMArg buffer) { writeInteger(buffer, font_->ascent()); }
void RText::getDescentText(OMArg buffer) { writeInteger(buffer, font_->descent()); }
void RText::getLeadingText(OMArg buffer) { writeInteger(buffer, font_->leading()); }
void RText::getTextHeightText(OMArg buffer) { writeInteger(buffer, font_->ascent() + font_->descent()); }
void RText::getTextWidthText(OMArg buffer) { writeInteger(buffer, font_->textWidth(text_.get())); }
// The shared result buffer holds 255 characters: longer texts are cut there.
void RText::getTextText(OMArg buffer) { static_cast<void>(writePropertyText(buffer, text_.get())); }
void RText::setUserData(const char* data) { userData_ = copyOf(data); }
void RText::getUserDataText(OMArg buffer) {
    if (userData_) static_cast<void>(writePropertyText(buffer, userData_.get()));
}

// Name, size, style and colour; name, size and style; font id and colour; font id alone. Given with a
// colour, an empty font id reads as 0.
void RText::setFontVerb() {
    const char* p[4];
    for (const char*& parameter : p) parameter = popParameter();
    if (*p[3]) colorIndex_ = static_cast<std::int16_t>(std::atoi(p[3]));
    if (*p[3] || *p[2]) return setFontByName(p[0], std::atoi(p[1]), std::atoi(p[2]));
    if (*p[1]) colorIndex_ = static_cast<std::int16_t>(std::atoi(p[1]));
    if (*p[1] || *p[0]) setFontById(static_cast<std::uint16_t>(std::atoi(p[0])));
}
