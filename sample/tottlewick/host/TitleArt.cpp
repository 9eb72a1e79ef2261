// The generic assets of the generated title and the registry of the modules' own art.
#include "TitleArt.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>

#include <unistd.h>

#include "OMWaveHeader.h"

#include "SmfWriter.h"
#include "SoundWriter.h"
#include "XmvWriter.h"

namespace {

constexpr std::uint32_t kSoundRate = 11025;
constexpr int kButtonW = 96, kButtonH = 48, kSpriteSize = 64;

std::multimap<std::string, TitleArtHook>& hooks() {
    static std::multimap<std::string, TitleArtHook> registered;
    return registered;
}

bool listed(const TitleModule& module, const char* type, std::uint16_t id) {
    bool found = false;
    titleForEachId(module, [&](TitleKind kind, std::uint16_t each) {
        found = found || (each == id && std::string(titleType(kind)) == type);
    });
    return found;
}

double pitch(std::uint16_t id) {
    return 300.0 + (id % 97) * 8.0;
}

// 'SMF': a 320 x 240 film of `ms` milliseconds, a picture every 250 ms (a box crossing the frame over the
// hue's shades, the id in the corner) and its sound track as 16-bit blocks of 100 ms.
std::string film(std::uint16_t id, std::uint32_t ms) {
    constexpr int kW = 320, kH = 240, kRate = 22050, kBlock = kRate / 10;
    SmfFilmHeader header;
    header.width = kW, header.height = kH, header.sampleSize = 16, header.channels = 1, header.rate = kRate;
    header.blockLength = kBlock;
    header.duration = ms;
    std::vector<SmfPicture> pictures;
    std::vector<SmfSound> sounds;
    for (std::uint32_t t = 0; t < ms; t += 250) {
        Picture frame(kW, kH, hueShade(4 + int(t / 250) % 24));
        frame.fill(int(t * (kW - 60) / ms), kH / 2 - 30, 60, 60, kWhite);
        drawNumber(frame, 4, 4, id, kBlack, 2);
        std::string bytes(frame.pixels.begin(), frame.pixels.end());
        pictures.push_back({t, smfTag("vlz8"), 0, 0, kW, kH, smfLzssGreedy(bytes)});
    }
    for (std::uint32_t t = 0; t < ms; t += 100) {
        std::vector<std::uint16_t> block;
        for (int i = 0; i < kBlock; ++i)
            block.push_back(
                std::uint16_t(std::int16_t(6000 * std::sin((t * kRate / 1000 + i) * 2 * M_PI * 440 / kRate))));
        sounds.push_back({t, smfTag("a16m"), std::uint32_t(kBlock), smfBigEndian16(block)});
    }
    return smfFilm(header, pictures, sounds, true);
}

}  // namespace

TitleArt::TitleArt(const TitleModule& module) : module_(module) {
    for (std::size_t r = 0; r < module.count; ++r) {
        const TitleRange& range = module.ranges[r];
        for (unsigned id = range.first; id <= range.last; id += range.step)
            addGeneric(range.kind, std::uint16_t(id), std::uint16_t(int(id) - range.anchorShift));
    }
}

void TitleArt::put(const std::string& type, std::uint16_t id, std::string data) {
    data_[{type, id}] = std::move(data);
}

void TitleArt::shareSound(std::uint16_t id) {
    auto found = data_.find({"AIF", id});
    if (found == data_.end()) return;
    shared_.push_back({"AIF", id, std::move(found->second)});
    data_.erase(found);
}

std::vector<PrsResource> TitleArt::resources() const {
    std::vector<PrsResource> out;
    for (const auto& [key, data] : data_) out.push_back({key.first, key.second, data});
    return out;
}

// On a grid of 6 x 4 cells clear of the kit's exit and help buttons and of the screen's left edge.
std::pair<int, int> TitleArt::place(std::uint16_t id) {
    return {120 + (id % 6) * 84, 72 + (id / 6 % 4) * 84};
}

Picture TitleArt::box(std::uint16_t id, int w, int h, std::uint8_t fill) {
    Picture picture(w, h, fill);
    picture.frame(0, 0, w, h, kBlack);
    drawNumber(picture, 3, 3, id, kBlack);
    return picture;
}

void TitleArt::putPicture(std::uint16_t id, Picture picture, int x, int y) {
    put("XPK", id, xpkBank({{std::move(picture), x, y}}));
}

void TitleArt::putButton(std::uint16_t id, const TitleBox& at, std::uint32_t rgb, const std::string& label, int look) {
    putPicture(id, button(id, at, rgb, label, look), at.x, at.y);
}

void TitleArt::paste(Picture& into, const Picture& part, int x, int y) {
    for (int row = 0; row < part.height; ++row)
        for (int col = 0; col < part.width; ++col)
            if (const std::uint16_t value = part.pixels[std::size_t(row) * part.width + col]; value != kClear)
                into.set(x + col, y + row, value);
}

Picture TitleArt::button(std::uint16_t id, const TitleBox& at, std::uint32_t rgb, const std::string& label, int look) {
    const auto part = [&](int shift) {
        const std::uint32_t c = rgb >> shift & 0xFF;
        return (look > 0 ? c + (255 - c) / 2 : look < 0 ? c / 2 : c) << shift;
    };
    Picture picture = box(id, at.w, at.h, cubeColour(part(16) | part(8) | part(0)));
    const int scale = textWidth(label, 2) <= at.w - 8 ? 2 : 1;
    drawText(picture, (at.w - textWidth(label, scale)) / 2, (at.h - 7 * scale) / 2, label, kBlack, scale);
    return picture;
}

Picture TitleArt::arrow(std::uint8_t fill) {
    Picture picture(12, 18);
    for (int y = 0; y < 18; ++y) picture.fill(0, y, std::min(y, 11) + 1, 1, y < 12 ? fill : kClear);
    for (int y = 0; y < 12; ++y) picture.set(y, y, kBlack);
    picture.fill(0, 0, 1, 12, kBlack);
    picture.fill(0, 11, 12, 1, kBlack);
    return picture;
}

Picture TitleArt::titled(std::uint16_t id, std::uint32_t rgb, const std::string& title) {
    Picture screen(640, 480, cubeColour(rgb));
    if (!title.empty()) {
        const int scale = std::min(6, 600 / textWidth(title, 1));
        drawText(screen, (640 - textWidth(title, scale)) / 2, 210, title, kWhite, scale);
    }
    drawNumber(screen, 8, 466, id, kBlack, 2);
    return screen;
}

Picture TitleArt::backdrop(std::uint16_t id, std::string title) const {
    Picture screen(640, 480);
    for (int y = 0; y < 480; ++y) screen.fill(0, y, 640, 1, hueShade(8 + y * 16 / 480));
    // Marks on the grid of 80 x 60 tiles, so that misplaced tiles show.
    for (int y = 0; y < 480; y += 60)
        for (int x = 0; x < 640; x += 80) screen.fill(x, y, 3, 3, hueShade(28));
    if (title.empty()) title = module_.name;
    for (char& c : title) c = char(std::toupper(static_cast<unsigned char>(c)));
    const int scale = std::min(8, 600 / textWidth(title, 1));
    drawText(screen, (640 - textWidth(title, scale)) / 2, 200, title, kWhite, scale);
    drawNumber(screen, 8, 466, id, kBlack, 2);
    return screen;
}

std::string TitleArt::clip(std::uint16_t bankId, int frames, std::uint32_t ms, int x, int y, int w, int h) {
    // Animation time counts 600 units a second.
    const std::uint32_t units = ms * 3 / 5, each = units / std::uint32_t(frames);
    XmvSpec spec;
    spec.left = std::int16_t(x), spec.top = std::int16_t(y), spec.width = std::int16_t(w),
    spec.height = std::int16_t(h);
    spec.duration = each * std::uint32_t(frames);
    spec.bankId = bankId;
    for (int k = 0; k < frames; ++k) spec.events.push_back({3, std::uint16_t(k), each * std::uint32_t(k), each});
    return xmvWrite(spec, ByteOrder::big);
}

void TitleArt::putReward(std::uint16_t id) {
    using title_layout::kReward;
    Picture star(kReward.w, kReward.h);
    const int cx = kReward.w / 2, cy = kReward.h / 2;
    for (int y = 0; y < kReward.h; ++y) {
        for (int x = 0; x < kReward.w; ++x) {
            // Five points: the radius swings with the angle.
            const double angle = std::atan2(y - cy, x - cx), r = std::hypot(x - cx, y - cy);
            if (r <= 12 + 16 * std::pow(std::abs(std::cos(2.5 * angle)), 3)) star.set(x, y, cubeColour(title_layout::kRewardColour));
        }
    }
    put("XPK", id, xpkBank({{Picture(1, 1), 0, 0}, {star, 0, 0}, {star, 0, 0}, {star, 0, 0}}));
    put("XMV", id, clip(id, 4, 2000, kReward.x, kReward.y, kReward.w, kReward.h));
    put("AIF", id, loop({523, 659, 784, 1047}, 500, false));  // a clip played in step with its sound lasts as long
}

std::string TitleArt::spoken(const std::string& words) {
    // The process id keeps generators of other build trees, running at the same time, off this file.
    const std::filesystem::path wav = std::filesystem::temp_directory_path() /
        ("titlegen-" + std::to_string(::getpid()) + "-" + std::to_string(std::hash<std::string>()(words)) + ".wav");
    std::string lower = words;  // in capitals a short word may be spelt out
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    const std::string command = "espeak-ng -s 150 -w '" + wav.string() + "' '" + lower + "'";
    std::string bytes;
    if (std::system(command.c_str()) == 0) {
        std::ifstream in(wav, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::remove(wav);
    // espeak-ng writes 16-bit mono samples; the header gives where they lie and their rate.
    const OMWaveHeader header =
        parseWaveHeader(reinterpret_cast<const std::uint8_t*>(bytes.data()), std::min(bytes.size(), kWaveHeaderBytes));
    if (header.length <= 0 || std::size_t(header.dataOffset) + std::size_t(header.length) > bytes.size()) {
        std::cerr << "titlegen: espeak-ng (tools/setup.sh installs it) did not speak \"" << words << "\"\n";
        std::exit(1);
    }
    std::vector<std::int16_t> samples;
    for (std::size_t at = std::size_t(header.dataOffset); at + 1 < std::size_t(header.dataOffset + header.length); at += 2)
        samples.push_back(std::int16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8));
    return writeAiff(pcmSound(samples, 1, std::uint32_t(header.rate)));
}

std::string TitleArt::tone(double hz, std::uint32_t ms) {
    return loop({hz}, ms);
}

std::string TitleArt::loop(const std::vector<double>& notes, std::uint32_t ms, bool looping) {
    const std::uint32_t each = kSoundRate * ms / 1000;
    std::vector<std::int16_t> samples;
    for (double hz : notes) {
        for (std::uint32_t i = 0; i < each; ++i) {
            // A short fade at both ends keeps the notes from clicking.
            const double edge = std::min({1.0, i / 200.0, (each - i) / 200.0});
            samples.push_back(std::int16_t(7000 * edge * std::sin(i * 2 * M_PI * hz / kSoundRate)));
        }
    }
    AiffSound sound = pcmSound(samples, 1, kSoundRate);
    if (looping && notes.size() > 1) setSustainLoop(sound, 0, std::uint32_t(samples.size()));
    return writeAiff(sound);
}

void TitleArt::addGeneric(TitleKind kind, std::uint16_t id, std::uint16_t anchor) {
    const auto [x, y] = place(anchor);
    const auto picture = [&](Picture p) { putPicture(id, std::move(p), x, y); };
    switch (kind) {
        case TitleKind::palette:
            put("DIB", id, dibPalette(module_.hue));
            break;
        case TitleKind::backdrop:
            put("XPK", id, xpkBackdrop(backdrop(id)));
            break;
        case TitleKind::screen: {
            Picture screen = backdrop(id);
            screen.frame(0, 0, 640, 480, kBlack);
            put("XPK", id, xpkBank({{screen, 0, 0}}));
            break;
        }
        case TitleKind::button:
        case TitleKind::mask:
            picture(box(id, kButtonW, kButtonH, hueShade(20)));
            break;
        case TitleKind::rollover:
            picture(box(id, kButtonW, kButtonH, hueShade(27)));
            break;
        case TitleKind::pressed:
            picture(box(id, kButtonW, kButtonH, hueShade(10)));
            break;
        case TitleKind::sprite:
            picture(box(id, kSpriteSize, kSpriteSize, hueShade(16)));
            break;
        case TitleKind::pointer:
            putPicture(id, arrow(hueShade(28)), 0, 0);
            break;
        case TitleKind::bank: {
            std::vector<PlacedPicture> shapes;
            for (int k = 0; k < 8; ++k)
                shapes.push_back({box(id, kSpriteSize, kSpriteSize, hueShade(4 + 3 * k)), x, y});
            put("XPK", id, xpkBank(shapes));
            break;
        }
        case TitleKind::clip: {
            // A clip starts where its bounds are and draws its frames from there; a listed picture places itself.
            if (listed(module_, "XPK", id)) {
                put("XMV", id, clip(id, 1, 500, 0, 0, kSpriteSize, kSpriteSize));
                break;
            }
            const int frames = 4 + id % 5;
            std::vector<PlacedPicture> shapes;
            for (int k = 0; k < frames; ++k) {
                Picture frame = box(id, kSpriteSize, kSpriteSize, hueShade(12 + 2 * k));
                frame.fill(4 + k * (kSpriteSize - 16) / frames, 40, 8, 16, kWhite);
                shapes.push_back({frame, 0, 0});
            }
            put("XPK", id, xpkBank(shapes));
            put("XMV", id, clip(id, frames, 500 + (id % 4) * 500, x, y, kSpriteSize, kSpriteSize));
            break;
        }
        case TitleKind::voice:
            put("AIF", id, tone(pitch(id), 400));
            break;
        case TitleKind::music: {
            const double base = pitch(id);
            put("AIF", id, loop({base, base * 5 / 4, base * 3 / 2, base * 5 / 4}, 500));
            break;
        }
        case TitleKind::track:
            put("AIF", id, loop({pitch(id), pitch(id)}, 1000));
            break;
        case TitleKind::strings:
            put("STR", id, "// messages\r\nBEGIN\r\n");
            break;
        case TitleKind::film:
            put("SMF", id, film(id, 3000));
            break;
    }
}

bool titleAddArt(const char* module, TitleArtHook hook) {
    hooks().emplace(module, hook);
    return true;
}

void titleRunArt(TitleArt& art) {
    const auto [first, last] = hooks().equal_range(art.module().name);
    for (auto it = first; it != last; ++it) it->second(art);
}
