// The resources of one module of the generated title: a generic asset for every id of TitleIds.h, which
// a module's own art (host/<Module>Art.cpp, registered with TITLE_ART) then replaces where it has better.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "PrsWriter.h"
#include "TitleIds.h"
#include "TitleLayout.h"
#include "TitlePaint.h"

class TitleArt {
public:
    explicit TitleArt(const TitleModule& module);

    const TitleModule& module() const { return module_; }
    std::uint32_t hue() const { return module_.hue; }
    // Replaces (or adds) the resource of this type and id.
    void put(const std::string& type, std::uint16_t id, std::string data);
    std::vector<PrsResource> resources() const;
    // Moves the sound `id` into Global.PRS. The engine lets one stream at a time read from a file, so a
    // sound streamed while another streams from the module's file must come from a file of its own.
    void shareSound(std::uint16_t id);
    std::vector<PrsResource> shared() const { return shared_; }

    // One picture as a one-shape 'XPK', its top-left corner at (x, y) from the hot spot.
    void putPicture(std::uint16_t id, Picture picture, int x, int y);
    // A box in colour `rgb` (a cube colour: the same under every module's palette) with a label, at `at`;
    // look 1 lighter (rollover), -1 darker (pressed).
    void putButton(std::uint16_t id, const TitleBox& at, std::uint32_t rgb, const std::string& label, int look = 0);
    static Picture button(std::uint16_t id, const TitleBox& at, std::uint32_t rgb, const std::string& label, int look = 0);
    // Pastes `part` into `into` with its top-left at (x, y), leaving out its clear pixels.
    static void paste(Picture& into, const Picture& part, int x, int y);
    // A white arrow whose tip is at (0, 0): the title's pointers.
    void putPointer(std::uint16_t id) { putPicture(id, arrow(kWhite), 0, 0); }
    // A 640 x 480 picture in colour `rgb` with a title in block letters, the id in small digits.
    static Picture titled(std::uint16_t id, std::uint32_t rgb, const std::string& title);

    // The generic pieces, for art that changes only part of a picture.
    // Where the generic art places the picture of an id (its top-left corner).
    static std::pair<int, int> place(std::uint16_t id);
    // A w x h box in shade `shade` of the hue, outlined, with the id in small digits.
    static Picture box(std::uint16_t id, int w, int h, std::uint8_t fill);
    // An arrow in colour index `fill` whose tip is at (0, 0).
    static Picture arrow(std::uint8_t fill);
    // A title (by default the module's name) in block letters over the hue's gradient, with the id in small
    // digits; at (4, 100) the gradient's shade 11.
    Picture backdrop(std::uint16_t id, std::string title = "") const;
    // A 'XMV' of `frames` frames of bank `bankId` over `ms` milliseconds, the bounds given: the clip is
    // drawn from their top-left corner, its frames placed from there.
    static std::string clip(std::uint16_t bankId, int frames, std::uint32_t ms, int x, int y, int w, int h);
    // The clip `id` (with the 'XPK' of its frames and a fanfare of the same length) showing the reward's gold
    // star in its box for 1.5 s, after a first frame that shows nothing (a clip held on its first frame stays
    // blank).
    void putReward(std::uint16_t id);
    // 'AIF': `words` spoken by espeak-ng; the generator stops when it cannot be run.
    static std::string spoken(const std::string& words);
    // 'AIF': a tone of `hz` lasting `ms`, and notes of `ms` each, with a sustain loop over all when looping.
    static std::string tone(double hz, std::uint32_t ms);
    static std::string loop(const std::vector<double>& notes, std::uint32_t ms, bool looping = true);

private:
    void addGeneric(TitleKind kind, std::uint16_t id, std::uint16_t anchor);
    const TitleModule& module_;
    std::map<std::pair<std::string, std::uint16_t>, std::string> data_;
    std::vector<PrsResource> shared_;
};

// A module's own art; registered by TITLE_ART, run after the generic assets are made.
using TitleArtHook = void (*)(TitleArt& art);
bool titleAddArt(const char* module, TitleArtHook hook);
void titleRunArt(TitleArt& art);

#define TITLE_ART(module)                                                         \
    static void titleArt_##module(TitleArt& art);                                 \
    static const bool titleArtAdded_##module = titleAddArt(#module, titleArt_##module); \
    static void titleArt_##module([[maybe_unused]] TitleArt& art)
