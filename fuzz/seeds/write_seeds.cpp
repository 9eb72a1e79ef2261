// Writes the seed corpora of the fuzz targets, one folder per target, with the project's own writers:
// the testkit builders (NE modules, PRS/PRX files, bitmaps, NFNT fonts, sounds, XPK banks, WAVE files),
// the JPEG fixtures of Glimmer's tests, the script compiler with its image and record writers, the byte
// writer; text formats from a few typical texts. Usage: write_seeds <corpus folder>.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "AseqWriter.h"
#include "ByteWriter.h"
#include "DataStoreWriter.h"
#include "DescriptorWriter.h"
#include "DibWriter.h"
#include "Files.h"
#include "FuzzParts.h"
#include "JpegFixtures.h"
#include "NeModuleWriter.h"
#include "NfntWriter.h"
#include "PrsWriter.h"
#include "ScriptState.h"
#include "SidWriter.h"
#include "SmackerWriter.h"
#include "XmvWriter.h"
#include "SmfWriter.h"
#include "SoundResourceWriter.h"
#include "SoundWriter.h"
#include "WaveWriter.h"
#include "XpkForge.h"
#include "YCompiledImage.h"
#include "YCompiler.h"

namespace {

namespace fs = std::filesystem;

fs::path corpus;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(corpus / target);
    writeWholeFile((corpus / target / name).string(), bytes);
}

std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) joined += line + "\r";
    return joined;
}

std::string fileText(const std::string& path) {
    std::string bytes = readWholeFile(path);
    std::remove(path.c_str());
    return bytes;
}

// Scripts that together use every statement, block and operand form the compiler knows.
const std::vector<std::vector<std::string>> kScripts = {
    {"x=5", "y = x+2*(3-1)", "s='a b c'", "t=s|2|3", "say t y", "list=[a 'b c' 7]", "say list.2 ~s"},
    {"b=RBell", "set b value 5", "get b value v", "for i 1 3", "[", " say loop i", " if i=2", " [", "  break",
     " ]", "]", "if v", "[", " say yes", "]", "else", "[", " say no", "]"},
    {"procedure +show x y", "[", " say shown x y", " return", "]", "call +show 7 8", "schedule 1 +show",
     "idle 5 +show", "drop schedule", "wait", "pause 1", "suspend", "resume", "yield", "exit"},
    {"e='a+1'", "a=4", "r=$e", "n=-7\\2", "m=2^10", "c='ab'@'cab'", "q=?", "debug", "relay other.mps", "quit"},
};

void scriptSeeds() {
    const std::string image = (fs::temp_directory_path() / "seed-image.mpc").string();
    for (std::size_t i = 0; i < kScripts.size(); ++i) {
        const std::string text = lines(kScripts[i]);
        const std::string name = "script" + std::to_string(i + 1);
        seed("script_compiler", name, text);
        freshScriptState();
        YCallStack stack;
        YCompiledScript script;
        if (!compileScript(text.data(), text.size(), nullptr, stack, &script) ||
            !saveCompiledScript(script, image.c_str())) {
            std::fprintf(stderr, "write_seeds: %s does not compile\n", name.c_str());
            std::exit(1);
        }
        seed("compiled_image", name, fileText(image));
        char* records = nullptr;
        std::size_t size = 0;
        std::FILE* file = open_memstream(&records, &size);
        for (std::int32_t v = kYPredefined; v < scriptHeap().count; ++v) {
            if (!saveVariable(scriptHeap().at(v), file)) std::exit(1);
        }
        std::fclose(file);
        seed("variable_record", name, std::string(records, size));
        std::free(records);
    }
    // "include 1" reads the second part.
    seed("script_compiler", "include", joinParts({lines({"include 1", "z=w+1", "; a comment", "say z"}),
                                                  lines({"w=3", "say w"})}));
}

void expressionSeeds() {
    seed("script_expression", "arithmetic", "a=4\nb=2.5\nc=-3\na-b*c+(a%3)^2/b");
    seed("script_expression", "texts", "s=abcde\nt='x y'\ns|2|3+t@'a x y'+~s");
    seed("script_expression", "dollar", "e=a+1\na=7\n$e*2=16");
    seed("script_expression", "members", "list.1=one\nlist.2=two\ni=2\nlist.i+' '+list.1");
}

void neSeeds() {
    NeModule numbered;
    numbered.types = {{0x0002, "", {{1, std::string(40, 'B')}, {2, "bitmap"}}}, {0, "WAVE", {{3, "RIFF....WAVE"}}}};
    seed("ne_resources", "numbered", joinParts({writeNeModule(numbered).bytes, "2 #2"}));
    seed("ne_resources", "named", joinParts({writeNeModule(numbered).bytes, "3 WAVE"}));
    NeModule table;
    table.nameTable = true;
    table.shift = 2;
    table.types = {{0, "SCRIPT", {{7, "x=1\r"}}}, {0, "WAVE", {{1, "data"}}}};
    seed("ne_resources", "name_table", joinParts({writeNeModule(table).bytes, "7 SCRIPT"}));
}

void prsSeeds() {
    const std::vector<PrsResource> resources = {
        {"STR", 1, "BEGIN\r\n1 \"one\"\r\n"}, {"XPK", 5, std::string(64, 'x')}, {"AIF", 2, "FORM"}, {"DIB", 9, ""}};
    seed("prs_file", "prs", buildPrs(resources, 3));
    seed("prs_file", "prx", joinParts({"", buildPrx(resources, 3)}));
    seed("prs_file", "prd", joinParts({buildPrs(resources, 3), "", prsIndexImage(resources, 3)}));
}

void strSeeds() {
    seed("str_source", "plain", "// texts\r\nBEGIN\r\n10 \"A\"\r\n+ \"B\"\r\n20, \"X\" \"Y\"\r\n");
    seed("str_source", "escapes", "// texts\r\nBEGIN\r\n1 \"\\x41\\101\\q\\xff\\n\\\"\"\r\n; note\r\n  \"more\"\r\n");
    seed("str_source", "conditions",
         "// texts\r\nBEGIN\r\n#if MACINTOSH\r\n1 \"mac\"\r\n#elif MS_WINDOWS\r\n1 \"win\"\r\n#else\r\n2 \"x\"\r\n"
         "#endif\r\n3 \"after\"\r\n");
}

void logSeeds() {
    seed("message_file", "messages", "; messages\r\n0001 Ready\r\n0042 Disk &1 of &2\r\n65536 wraps\n7\r\n");
    seed("placeholders", "local_and_global", joinParts({"Disk &1 of &total && &", "1=one", "total=three"}));
    seed("placeholders", "fallback", joinParts({"&unknown &name_x &9", "1=first", "name_x=global"}));
}

// The printer's profile entry: complete, with blanks, and short of its port.
void printerSeeds() {
    seed("printer_entry", "complete", " HP LaserJet, winspool,LPT1:");
    seed("printer_entry", "incomplete", "HP,winspool");
}

void glimmerSeeds() {
    seed("comma_list", "names", "Title,Second,,A name longer than fifteen");
    ByteWriter region(ByteOrder::little);
    const std::int16_t corners[][2] = {{10, 10}, {200, 10}, {200, 120}, {-5, 300}};
    for (const auto& corner : corners) {
        region.u16(static_cast<std::uint16_t>(corner[0]));
        region.u16(static_cast<std::uint16_t>(corner[1]));
    }
    region.u16At(128, 4);
    seed("region_record", "square", region.str());
    ByteWriter url(ByteOrder::little);
    url.u16(64);
    url.text("http://www.example.com/welcome");
    seed("url_hand_back", "fits", url.str());
    url.u16At(0, 8);
    seed("url_hand_back", "cut", url.str());
}

std::string bytesOf(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void pictureSeeds() {
    RgbPicture picture = solidPicture(16, 8, 200, 40, 40);
    picture.fill(4, 2, 12, 6, 20, 90, 250);
    seed("jpeg_picture", "colour", bytesOf(encodeJpeg(picture, {75, false, false, true})));
    seed("jpeg_picture", "grey", bytesOf(encodeJpeg(picture, {90, true, false, false})));
    seed("jpeg_picture", "rgb", bytesOf(encodeJpeg(picture, {100, false, true, false})));

    DibPicture indexed{4, 3, 8, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2}};
    seed("dib_bitmap", "bm_8bit", writeBmpFile(indexed));
    // The same header as RLE8 (compression 1) with 10 bytes of codes: two runs, a row end, the bitmap end.
    const std::string rle8 =
        writeDib(indexed).substr(0, 40 + 16).replace(16, 8, std::string("\x01\0\0\0\x0A\0\0\0", 8));
    seed("dib_bitmap", "bare_rle8", rle8 + std::string("\x04\x01\0\0\x02\x02\x02\x03\0\x01", 10));
    seed("dib_colors", "bm_8bit", writeBmpFile(indexed));
    DibPicture nibbles{3, 2, 4, 2, {0x101010, 0xF0F0F0}, {0, 1, 0, 1, 0, 1}};
    seed("dib_bitmap", "bare_4bit", writeDib(nibbles));
    seed("dib_colors", "bm_4bit", writeBmpFile(nibbles));
    DibPicture direct{2, 2, 24, 0, {}, {0x0000FF, 0xFFFFFF, 0x123456, 0x00FF00}};
    seed("dib_bitmap", "bm_24bit", writeBmpFile(direct));
    DibPicture words{2, 1, 16, 0, {}, {0x7C00, 0x001F}};
    seed("dib_bitmap", "bare_16bit", writeDib(words));
    seed("dib_bitmap", "bare_16bit_fields", writeDib(words, {0xF800, 0x07E0, 0x001F}));
    seed("dib_bitmap", "bm_32bit_fields", writeBmpFile(DibPicture{2, 1, 32, 0, {}, {0xFF0000, 0x0000FF}}, {0xFF, 0xFF00, 0xFF0000}));
    // Files whose info header is larger than 40 bytes, and top-down rows under a negative height.
    seed("dib_bitmap", "bm_8bit_header108", writeBmpFile(indexed, {}, {108}));
    seed("dib_bitmap", "bm_16bit_fields_header124", writeBmpFile(words, {0xF800, 0x07E0, 0x001F}, {124}));
    seed("dib_bitmap", "bm_4bit_header64", writeBmpFile(nibbles, {}, {64}));
    seed("dib_bitmap", "bare_8bit_top_down", writeDib(indexed, {}, {40, true}));
    seed("dib_bitmap", "bm_24bit_top_down_header124", writeBmpFile(direct, {}, {124, true}));
}

void fontSeeds() {
    NfntFont font;
    font.firstChar = 32;
    font.lastChar = 90;
    font.ascent = 3;
    font.descent = 1;
    font.glyphs = {{'A', 0, 4, {".#.", "#.#", "###", "#.#"}}, {'I', 1, 3, {"#", "#", "#", "#"}},
                   {' ', 0, 2, {".", ".", ".", "."}}};
    seed("nfnt_font", "big_endian", writeNfnt(font));
    font.order = ByteOrder::little;
    font.kernMax = -1;
    seed("nfnt_font", "little_endian", writeNfnt(font));
}

void soundSeeds() {
    seed("sound_resource", "snd3", writeSnd3(11025, std::string(40, '\x80')));
    seed("sound_resource", "snd4", writeSnd4(22050, 24, std::string(24, '\x7F')));
    std::vector<std::int16_t> wave;
    for (int i = 0; i < 160; ++i) wave.push_back(static_cast<std::int16_t>((i % 40 - 20) * 900));
    AiffSound plain;
    plain.frames = static_cast<std::uint32_t>(wave.size());
    plain.data = bigEndianSamples(wave);
    plain.markers = {{1, 10, "start"}, {2, 150, "end"}};
    plain.writeMarkers = plain.writeInstrument = true;
    plain.sustainBegin = 1;
    plain.sustainEnd = 2;
    seed("sound_resource", "aiff_loop", writeAiff(plain));
    AiffSound ima;
    ima.aifc = true;
    ima.compression = "ima4";
    ima.channels = 2;
    ima.data = encodeIma4(wave, 2);
    ima.frames = static_cast<std::uint32_t>(ima.data.size() / 68);
    seed("sound_resource", "aifc_ima4", writeAiff(ima));
    AiffSound sqs2;
    sqs2.aifc = true;
    sqs2.compression = "SQS2";
    sqs2.bits = 8;
    sqs2.data = encodeSqs2(wave);
    sqs2.frames = static_cast<std::uint32_t>(sqs2.data.size());
    seed("sound_resource", "aifc_sqs2", writeAiff(sqs2));
}

void putBig32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

std::uint32_t getBig32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    return ByteReader(bytes.data(), bytes.size(), ByteOrder::big).u32At(at, value) ? value : 0;
}

// A forged bank of three shapes with the second one on the first one's data and the empty third one's
// data offset at the block's end.
std::string sharedAndEnd(std::string bank) {
    const std::uint32_t table = getBig32(bank, 12);
    putBig32(bank, table + 4, getBig32(bank, table));
    putBig32(bank, table + 8, static_cast<std::uint32_t>(bank.size()) - table);
    return bank;
}

void shapeSeeds() {
    const std::pair<std::uint16_t, const char*> formats[] = {
        {kForgeDirect16, "direct16"}, {kForgeMapped16, "mapped16"}, {kForgePlain8, "plain8"}, {kForgeRun8, "run8"}};
    for (const auto& [format, name] : formats) {
        ForgeBank bank;
        bank.format = format;
        if (format == kForgeMapped16) bank.colourMap = {0x0000, 0x7FFF, 0x001F, 0x03E0, 0x7C00};
        bank.shapes = {forgePattern(format, 9, 6, 1, 5), forgePattern(format, 4, 3, 2, 5), ForgeShape{}};
        const std::string bytes = forgeXpk(bank, ByteOrder::big);
        seed("xpk_shapes", name, bytes);
        seed("xpk_shapes", std::string(name) + "_shared_end", sharedAndEnd(bytes));
    }
    // No shapes, both tables at 0 (over the header).
    std::string empty = forgeXpk(ForgeBank{}, ByteOrder::big);
    putBig32(empty, 8, 0);
    putBig32(empty, 12, 0);
    seed("xpk_shapes", "no_shapes", empty);
}

// Animations in both orders over a small 0xC002 bank: a stub, offsets at the extremes, unsorted events
// and no end record.
void xmvSeeds() {
    ForgeBank bank;
    bank.shapes = {forgePattern(kForgeRun8, 9, 6, 1, 5), forgePattern(kForgeRun8, 4, 3, 2, 5)};
    const std::string shapes = forgeXpk(bank, ByteOrder::big);
    XmvSpec varied = xmvStub(1);
    varied.scanMode = 1;
    varied.events = {{5, 1, 0, 40, -10, 4}, {3, 0, 20, 30}, {6, 1, 10, 5, 32767, -32768}, {4, 7, 50, 10}, {9, 0, 0, 60}};
    varied.endRecord = false;
    seed("xmv_animation", "stub", joinParts({xmvWrite(xmvStub(1), ByteOrder::big), shapes}));
    seed("xmv_animation", "varied_native", joinParts({xmvWrite(varied, ByteOrder::little), shapes}));
    seed("xmv_animation", "varied_big", joinParts({xmvWrite(varied, ByteOrder::big), shapes}));
}

// SIDs of both versions behind the four bytes of the time at which the target reads their envelope.
void sidSeeds() {
    SidResource plain;
    plain.points = {{0, -200, 1000}, {1024, 300, 1000}, {512, 0, 0}};
    SidResource repeating = plain;
    repeating.version = 1;
    repeating.flags = 0x0080;
    repeating.name = "Wind";
    repeating.values = {1, 2, 3};
    const std::string time("\xC4\x09\0\0", 4);  // 2500 ms
    seed("sid_resource", "plain", time + writeSid(plain, ByteOrder::big));
    seed("sid_resource", "repeating_named", time + writeSid(repeating, ByteOrder::big));
}

// Texts behind a 300-pixel box, spacing 1, word wrap and a width seed: tabs, line ends of every kind, and
// runs longer than a piece.
void textLayoutSeeds() {
    const std::string box("\x2C\x01\x01\x01\x07", 5);
    seed("text_layout", "lines", box + "The owl\tsat\r\non the\rbranch\nall night long.");
    seed("text_layout", "long_runs", box + std::string(1100, ' ') + std::string(1500, 'A'));
}

void waveSeeds() {
    WaveSound wave;
    wave.samples = std::string(30, '\x90');
    wave.first = {{"LIST", "INFOISFT"}};
    seed("wave_header", "riff", writeWave(wave));
    SoundResource resource;
    resource.samples = std::string(20, '\x70');
    seed("wave_header", "resource_format1", writeSoundResource(resource));
    resource.format = 2;
    resource.extended = true;
    seed("wave_header", "resource_format2_extended", writeSoundResource(resource));
}

void readerSeeds() {
    ByteWriter w(ByteOrder::little);
    w.u8(12);
    for (std::uint8_t step : {0, 1, 2, 3, 4, 5, 6, 7, 8, 5, 4, 7}) w.u8(step);
    w.u16(0x1234);
    w.u32(0x89ABCDEF);
    w.chars4('A' | 'B' << 8 | 'C' << 16 | 'D' << 24);
    seed("byte_reader", "mixed", w.str());
}

// A two-list animation in both byte orders, and a colour table.
void animationSeeds() {
    AseqPicture picture;
    picture.placement[0] = 0x01;
    picture.placement[2] = 0x08;
    picture.sequences = {{{0, 0, -4, 0}, {1, 2, 0, 100}, {0, 0, 1, 0}, {0, 0, -101, 3}, {0, 0, -2, 0}, {0, 0, -1, 0}},
                         {{0, 0, 1, 0}, {0, 0, -600, 0}, {0, 0, -1, 0}}};
    picture.frames = {{6, 3, {0, 0, 5, 5, 5, 5, 1, 2, 3, 0, 0, 0, 7, 7, 7, 8, 0, 9}, {}}, {2, 1, {4, 4}, {}}};
    seed("aseq_animation", "little", writeAseq(picture, ByteOrder::little));
    seed("aseq_animation", "big", writeAseq(picture, ByteOrder::big));
    seed("aseq_animation", "colors", writeRrgb({0x123456, 0xABCDEF, 0xFFFFFF}));
}

// Descriptor files: commands with quoted words, quizlet lines, comments and the end line.
void descriptorSeeds() {
    seed("descriptor_file", "commands",
         writeDescriptor({{"WaveDLL", {"a.dll"}}, {"AODLL", {"pictures.dll"}}, {"WaveDLL", {"b.dll"}},
                          {"Title", {"two \"quoted\" words", "12"}}, {"WinExeName", {"false"}}}));
    seed("descriptor_file", "quizlets",
         "# quizlets\r\nDS 1 1 1 a 10 200 300 301 302 303 304\r\nDS 1 2 1 b 5 -1\nDS 1 1 2\r; end\r.\r\nA 1\r\n");
    seed("descriptor_file", "unended", "/ no end line\nA \"open word\\\" still\n\t Pos\t10 20");
}

// Results files: three levels, reads cut in a long line, a line without a blank, no last line end, and
// more lines than the table holds.
void resultsSeeds() {
    seed("results_file", "levels", "1 3\r\n2 2\r\n3 1\r\n");
    seed("results_file", "odd", "7 123456\n44\n 9\n5 2");
    std::string many;
    for (int line = 1; line <= 60; ++line) many += std::to_string(line) + " 1\n";
    seed("results_file", "many", many);
}

// SMF films: every frame and audio codec in both byte orders, and a damaged film.
void smfSeeds() {
    std::string picture;
    for (int i = 0; i < 16 * 8; ++i) picture += char(i % 5 == 0 ? 0 : i / 3);
    std::vector<std::int16_t> wave;
    for (int i = 0; i < 64; ++i) wave.push_back(static_cast<std::int16_t>((i % 16 - 8) * 1500));
    std::string wave8;
    for (std::int16_t v : wave) wave8 += char(128 + v / 256);
    std::vector<std::uint16_t> wave16(wave.begin(), wave.end());
    SmfFilmHeader mono;
    mono.width = 16, mono.height = 8, mono.depth = 8;
    mono.sampleSize = 16, mono.channels = 1, mono.rate = 11025, mono.blockLength = 64, mono.duration = 500;
    const std::vector<SmfPicture> pictures = {{0, smfTag("vrw8"), 0, 0, 16, 8, picture},
                                              {100, smfTag("vlz8"), 2, 1, 8, 4, smfLzssGreedy(picture.substr(0, 32))},
                                              {200, smfTag("vlx8"), -3, 5, 16, 8, smfLzssLiteral(picture)}};
    const std::vector<SmfSound> sounds = {{0, smfTag("adpm"), 64, smfImaMono(wave)},
                                          {100, smfTag("a3DO"), 64, smfSquareRoot(wave)},
                                          {200, smfTag("a16m"), 64, smfBigEndian16(wave16)}};
    seed("smf_film", "mono16", smfFilm(mono, pictures, sounds));
    seed("smf_film", "mono16_big", smfFilm(mono, pictures, sounds, true));
    SmfFilmHeader shifted = mono;
    shifted.reserved = 0xFFFDu << 16 | 56;  // frames drawn at (56, -3), across the canvas's edges
    seed("smf_film", "off_the_pixels", smfFilm(shifted, pictures, {}));
    SmfFilmHeader odd = mono;
    odd.sampleSize = 12;  // no codec writes such samples: nothing is played
    seed("smf_film", "samples12", smfFilm(odd, {}, sounds));
    SmfFilmHeader stereo = mono;
    stereo.channels = 2, stereo.sampleSize = 8;
    seed("smf_film", "stereo8",
         smfFilm(stereo, {},
                 {{0, smfTag("a8us"), 32, wave8},
                  {50, smfTag("ald8"), 64, smfDeltas8(wave8)},
                  {60, smfTag("alz8"), 64, smfLzssGreedy(wave8)}}));
    SmfFilmHeader deep = mono;
    deep.depth = 16, deep.channels = 2;
    seed("smf_film", "deep16",
         smfFilm(deep, {{0, smfTag("vr16"), 0, 0, 16, 8, smfBigEndian16(std::vector<std::uint16_t>(128, 0x1234))}},
                 {{0, smfTag("adps"), 64, smfImaStereo(wave)}}, true));
    SmfWriter damaged;
    damaged.header = mono;
    damaged.header.capacity[2] = 16;
    damaged.load(0, 2, std::string(16, '\x11'));
    damaged.load(0, 3, "x");
    damaged.frame(0, 2, smfTag("vr32"), smfPack(-4, -4), smfPack(30000, 2), 40);
    damaged.entry(smfEntry(0, 3, 2, 3));
    seed("smf_film", "damaged", damaged.bytes());
}

// Variable files whole, cut inside a record and with texts that fill their 32 bytes; "quomb.dat" whole
// and cut inside record 0.
void dataStoreSeeds() {
    const std::string full(32, 'x');
    const std::string variables =
        variableFileBytes({{"totalUsers", "2", 1000000000u}, {"user1", "Ann"}, {full, full, 0xFFFFFFFFu}}, 5);
    seed("variable_file", "slots", variables);
    seed("variable_file", "cut", variables.substr(0, 4 + 68 + 30));
    const std::string user = quombDatBytes({255, 1, 0, 3}, {{0, 5}, {18, 16428}, {178, 7}}, "Ann");
    seed("user_data_file", "whole", user);
    seed("user_data_file", "cut", user.substr(0, 100));
}

}  // namespace

// Smacker movies: two frames with every block kind, a palette change and sound, packed or plain 16-bit
// stereo, and a one-frame movie.
void movieSeeds() {
    SmackerMovie movie{16, 8, 6666, 11025, {}};
    for (int f = 0; f < 2; ++f) {
        SmackerFrame frame;
        for (int i = 0; i < 128; ++i)
            frame.pixels.push_back(static_cast<std::uint8_t>(i < 32 ? 5 : i < 64 ? (i % 3 ? 7 : 9) : f * 40 + i));
        for (int c = 0; c < 256; ++c) frame.palette.push_back(SmackerColor{std::uint8_t(c & 63), std::uint8_t(f * 9), 3});
        frame.sound.assign(40, static_cast<std::int16_t>(f * 700 - 300));
        movie.frames.push_back(frame);
    }
    const std::vector<std::uint8_t> blocks = writeSmacker(movie);
    seed("smacker_movie", "blocks", std::string(blocks.begin(), blocks.end()));
    movie.soundPacked = false;
    movie.soundChannels = 2;
    const std::vector<std::uint8_t> plain = writeSmacker(movie);
    seed("smacker_movie", "plain_stereo_sound", std::string(plain.begin(), plain.end()));
    movie.frames.resize(1);
    movie.soundRate = 0;
    const std::vector<std::uint8_t> still = writeSmacker(movie);
    seed("smacker_movie", "still", std::string(still.begin(), still.end()));
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds <corpus folder>\n");
        return 2;
    }
    corpus = argv[1];
    readerSeeds();
    scriptSeeds();
    expressionSeeds();
    neSeeds();
    prsSeeds();
    strSeeds();
    logSeeds();
    glimmerSeeds();
    printerSeeds();
    pictureSeeds();
    fontSeeds();
    soundSeeds();
    shapeSeeds();
    sidSeeds();
    textLayoutSeeds();
    xmvSeeds();
    waveSeeds();
    animationSeeds();
    descriptorSeeds();
    resultsSeeds();
    dataStoreSeeds();
    smfSeeds();
    movieSeeds();
    return 0;
}
