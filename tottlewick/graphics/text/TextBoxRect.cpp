// A paragraph laid into a rectangle: lines centred or right-aligned, the block centred or spread over the
// rectangle's height, and lines justified by a spacing callback in thousandths of a pixel.
#include "Port.h"
#include "TextBoxLayout.h"

namespace {

// The extra spacing of the line being justified, in thousandths of a pixel per gap between characters.
long justifyExtra = 0;

// The proportional advance plus this gap's share of the extra spacing, rounded so that the shares of a
// line add up to the whole extra.
std::int16_t justifySpacing(TextBox box, std::uint8_t character, std::int16_t index) {
    TextBoxRecord record{};
    readRecord(box, &record);
    record.flags &= ~kTextLayoutMask;
    const long share = justifyExtra * (index + 1) / 1000 - justifyExtra * index / 1000;
    return static_cast<std::int16_t>(BoxAdvances(box, record).advance(character, std::size_t(index)) + share);
}

class ParagraphHooks : public TextLineHooks {
public:
    ParagraphHooks(std::uint16_t flags, int step) : flags_(flags), step_(step) {}

    void beginLine(TextBox box, TextBoxRecord& record, const char* text, std::size_t count, bool last) override {
        if (record.penX) return;  // the rest of a line after a tab keeps its place
        const int room = RectWidth(&record.rect);
        const int width = boxTextWidth(box, record, text, count);
        if (flags_ & kTextRightLines) record.penX = static_cast<std::int16_t>(room - width);
        else if (flags_ & kTextCentreLines) record.penX = static_cast<std::int16_t>((room - width) / 2);
        if ((flags_ & kTextJustify) && !last && count > 1) {
            justifyExtra = long(room - width) * 1000 / long(count - 1);
            layout_ = record.flags & kTextLayoutMask;
            record.flags = (record.flags & ~kTextLayoutMask) | kTextSpaced;
            record.spacingProc = justifySpacing;
            justified_ = true;
        }
    }
    void endLine(TextBoxRecord& record) override {
        if (!justified_) return;
        justifyExtra = 0;
        record.flags = (record.flags & ~kTextLayoutMask) | layout_;
        justified_ = false;
    }
    int lineHeight(const TextBoxRecord& record) const override { return step_ ? step_ : record.lineHeight; }
    bool oneLineGoesOnAtLineEnd() const override { return true; }

private:
    std::uint16_t flags_;
    int step_;
    std::uint32_t layout_ = 0;
    bool justified_ = false;
};

}  // namespace

void TextBoxDrawInRect(TextBox box, const char* text, const Rect* rect, std::uint16_t flags, Rect* outRect) {
    TextBoxRecord saved{};
    if (outRect) *outRect = Rect{};
    if (!text || !rect || !readRecord(box, &saved)) return;
    const Canvas port = PortGet();
    Rect clip{};
    CanvasGetClip(&clip, port);
    TextBoxRecord record = saved;
    record.rect = *rect;
    record.flags |= kTextOwnRect;
    record.penX = record.penY = 0;
    writeRecord(box, record);
    Rect measured{};
    TextBoxMeasure(box, text, &measured);
    const int height = RectHeight(&measured), room = RectHeight(rect), lineHeight = record.lineHeight;
    const int lines = lineHeight > 0 ? height / lineHeight : 0;
    int step = 0;
    if ((flags & kTextSpread) && lines >= 2) step = (room - lineHeight) / (lines - 1);
    else if (flags & (kTextSpread | kTextCentreBlock)) record.penY = static_cast<std::int16_t>((room - height) / 2);
    ParagraphHooks hooks(flags, step);
    textBoxLayout(box, record, text, true, outRect, &hooks);
    writeRecord(box, saved);
    CanvasSetClip(port, &clip);
}
