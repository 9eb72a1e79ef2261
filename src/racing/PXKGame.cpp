// The road's pictures and drawing over its core, and the scenery switch to the scenery module.
#include "PXKGame.h"

#include "AppCommands.h"
#include "DescriptorFile.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "PXKPictures.h"
#include "ResourceFinder.h"

namespace {

constexpr OMRect kRoadBounds{40, 0, 570, 272};
constexpr std::int32_t kSignIds[3] = {13142, 13350, 13228};
constexpr POINT kCornerAt[4] = {{40, 0}, {509, 0}, {40, 201}, {502, 203}};
constexpr const char* kSceneryModule = "PRsc\\doriruvu.rsc";
constexpr const char* kSceneryFile = "doriruvu.rsc";
constexpr std::int32_t kAOFileSlot = 0;
constexpr std::int32_t kRRGBFileSlot = 4;

std::unique_ptr<OMLink> copyOf(const OMLink* link) { return std::unique_ptr<OMLink>(link ? link->clone() : nullptr); }

std::int32_t descriptorInt(const char* command, std::int32_t n) {
    const DescriptorFile* descriptor = currentDescriptorFile();
    return descriptor ? descriptor->intParam(command, n) : 0;
}

void setPictureFile(const char* module, const char* name) {
    setPictureModuleOverride(module);
    setNameSlot(kAOFileSlot, name);
    setNameSlot(kRRGBFileSlot, name);
}

}  // namespace

PXKGame::PXKGame(const OMLink* code, const OMLink* sound, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion),
      code_(copyOf(code)),
      sound_(copyOf(sound)),
      road_([this](std::int32_t c) { notify(code_.get(), c); }, [this](std::int32_t s) { notify(sound_.get(), s); },
            [this](std::int32_t glyph, std::int32_t frame) {
                const OMAnimation* picture = glyphs_[std::size_t(glyph)].get();
                return PXKRoad::Size{pictureWidth(picture, frame), pictureHeight(picture, frame)};
            }) {
    setBounds(kRoadBounds);
    setTouchy(0);
    setMovable(0);
    sendToBack();
    for (std::int32_t g = 0; g < pxk::kGlyphCount; ++g)
        glyphs_[std::size_t(g)] = loadPicture(pxk::glyphResource(g), 0, 0, window, true);
    for (std::size_t kind = 0; kind < signs_.size(); ++kind) signs_[kind] = loadPicture(kSignIds[kind], 0, 0, window, true);
    sparkle_ = loadPicture(13143, 0, 0, window, true);
    flyer_ = loadPicture(13141, 0, 0, window, true);
    corners_[0] = loadPicture(descriptorInt("Corners", 1), OMAnimation::kAtPlacement, OMAnimation::kAtPlacement, window, true);
    for (std::int32_t c = 1; c < 4; ++c) corners_[std::size_t(c)] = loadPicture(descriptorInt("Corners", c + 1), 0, 0, window, true);
}

PXKGame::~PXKGame() = default;

void PXKGame::notify(OMLink* link, std::int32_t value) {
    const std::string text = std::to_string(value);
    if (link) link->invokeWith(reinterpret_cast<OMArg>(text.c_str()));
}

void PXKGame::start(std::int32_t, std::int32_t speed, bool freeRun) {
    road_.start(speed, freeRun, ticks60());
    invalidate();
    setTouchy(1);
    show();
}

void PXKGame::go() { road_.go(ticks60()); }
void PXKGame::right() { road_.right(ticks60()); }
void PXKGame::wrong() { road_.wrong(ticks60()); }

void PXKGame::onMouseDown() { notify(code_.get(), 14); }

void PXKGame::tick() {
    if (!road_.tick(ticks60()) || !road_.dirty) return;
    road_.dirty = false;
    invalidate();
}

// The scenery lives in a module of its own; the finder reads it only while the animation is made (the
// animation reads its stream whole when made).
void PXKGame::loadScenery() {
    const std::int32_t id = descriptorInt("Scenery", 1);
    sceneryCount_ = (sceneryCount_ + 1) % 4;
    road_.resetScenery();
    scenery_.reset();
    setPictureFile(kSceneryModule, kSceneryFile);
    scenery_ = loadPicture(findAnimationResource(static_cast<std::int16_t>(id)), 40, 0, window, true);
    const DescriptorFile* descriptor = currentDescriptorFile();
    setPictureFile(nullptr, descriptor ? descriptor->stringParam("AODLL", 1) : "");
    invalidate();
    show();
}

void PXKGame::dropScenery() { scenery_.reset(); }

void PXKGame::draw() {
    const OMRect clip = bounds;
    drawPosition(scenery_.get(), road_.sceneryFrame(), 40, 0, clip);
    const std::int32_t kind = road_.signKind();
    if (road_.signFrame() >= 0 && kind >= 0 && kind < 3)
        drawPosition(signs_[std::size_t(kind)].get(), road_.signFrame() + 1, 40, 151, clip);
    for (const PXKRoad::Sparkle& s : road_.sparkles()) drawPosition(sparkle_.get(), s.frame, s.x, s.y, clip);
    drawText(clip);
    if (road_.flyerFrame() >= 0) {
        const pxk::Offset at = pxk::flyerPosition(road_.flyerFrame());
        drawPosition(flyer_.get(), road_.flyerFrame() + 1, at.x, at.y, clip);
    }
    for (std::size_t c = 0; c < corners_.size(); ++c)
        if (corners_[c]) corners_[c]->drawCurrentInto(kCornerAt[c].x, kCornerAt[c].y, *window->offscreen, clip);
}

void PXKGame::drawText(const OMRect& clip) {
    if (road_.segment() == 0) return;
    for (const PXKRoad::Glyph& g : road_.glyphs())
        drawPosition(glyphs_[std::size_t(g.index)].get(), road_.segment(), g.x, g.y, clip);
}
