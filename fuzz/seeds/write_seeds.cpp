// Writes the seed corpora of the fuzz targets, one folder per target, with the project's own writers:
// the testkit builders of NE modules and PRS/PRX files, the script compiler and its image and record
// writers, the byte writer; text formats from a few typical texts. Usage: write_seeds <corpus folder>.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "Files.h"
#include "FuzzParts.h"
#include "NeModuleWriter.h"
#include "PrsWriter.h"
#include "ScriptState.h"
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

void readerSeeds() {
    ByteWriter w(ByteOrder::little);
    w.u8(12);
    for (std::uint8_t step : {0, 1, 2, 3, 4, 5, 6, 7, 8, 5, 4, 7}) w.u8(step);
    w.u16(0x1234);
    w.u32(0x89ABCDEF);
    w.chars4('A' | 'B' << 8 | 'C' << 16 | 'D' << 24);
    seed("byte_reader", "mixed", w.str());
}

}  // namespace

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
    return 0;
}
