// Random start-up scripts for QUOMB_32.exe (ScriptGenerator.h): a table of the script classes with their
// creation arguments, verbs, properties and events, and a seeded builder that writes statements from it.
#include "ScriptGenerator.h"

#include <cstring>
#include <random>

namespace {

// Argument templates, one character per argument:
//   i small integer   n number   c coordinate   m milliseconds   q repeat count   r resource id
//   a animation id, as a rule the title's animation that plays and ends
//   o a script object, quoted
//   s short word      f file name   M the title's movie   k an action kind and its arguments
//   v a verb name     p a property name   * up to three arguments of any plain kind
struct Member {
    const char* name;
    const char* args;
};

using Members = std::vector<Member>;
using Names = std::vector<const char*>;

struct ScriptClass {
    const char* name;
    Names makes;
    Members verbs;
    Members properties;  // the template of each gives the value that "set" writes
    Names events;
};

template <class T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Members kActionVerbs{{"halt", ""}, {"pause", ""}, {"resume", ""}, {"start", ""}};
// Started twice as often as halted; "add" as often with an object as with a kind: containers of
// containers are the interesting case.
const Members kContainerVerbs =
    kActionVerbs + Members{{"start", ""}, {"add", "k"}, {"add", "k"}, {"add", "o"}, {"add", "o"}};
const Members kActionProperties{{"isInterruptible", "i"}, {"actionCount", "i"}, {"isActive", "i"}};
const Members kTrinketVerbs{{"place", "cc"}, {"offset", "cc"}};
const Members kTrinketProperties{{"x", "c"},       {"y", "c"},     {"visible", "i"}, {"movable", "i"},
                                 {"z", "n"},       {"touchy", "i"}, {"tag", "n"}};
const Names kTrinketEvents{"mouseDown", "mouseUp", "dblClick", "flyOn", "flyOff"};
const Members kGroupVerbs = kTrinketVerbs + Members{{"addTrinket", "oin"}, {"addTrinket", "oin"}, {"removeTrinkets", "n"},
                                                    {"removeTrinkets", ""}};
const Members kGroupProperties =
    kTrinketProperties + Members{{"height", "n"}, {"isCorralled", "i"}, {"userData", "s"}, {"width", "n"}};
const Members kAnimationVerbs = kTrinketVerbs + Members{{"", ""}, {"forever", ""}, {"stamp", ""}, {"unstamp", ""}};
const Members kAnimationProperties =
    kTrinketProperties + Members{{"frame", "n"}, {"sequence", "i"}, {"param", "n"}, {"soundOn", "i"}};
const Names kAnimationEvents{"mouseDown", "mouseUp", "flyOn", "flyOff", "paused", "special"};
const Members kAnswerProperties =
    kGroupProperties + Members{{"extraBottom", "n"}, {"extraLeft", "n"}, {"extraRight", "n"}, {"extraTop", "n"},
                               {"goHomeSound", "r"}, {"homeX", "c"},     {"homeY", "c"},      {"isUsed", "i"},
                               {"pickUpSound", "r"}, {"snapSound", "r"},  {"highlighted", "i"}};
const Members kFaceVerbs{{"playAnimation", "*"}, {"stopAnimation", ""}};
const Names kAnswerEvents = kTrinketEvents + Names{"addedToContainer", "dropped", "pickedUp", "removedFromContainer"};
const Members kContainerProperties =
    kGroupProperties + Members{{"answerCount", "n"},        {"enabled", "i"},          {"isFull", "i"},
                               {"isSolved", "i"},           {"lockCorrectAnswers", "i"}, {"rejectIncorrectAnswers", "i"},
                               {"highlighted", "i"}};
const Names kContainerEvents = kTrinketEvents + Names{"answerFlyOff", "answerFlyOn", "answerPlaced", "answerRemoved"};

// Every class that QUOMB_32.exe registers, with what its script interface holds.
const std::vector<ScriptClass>& scriptClasses() {
    static const std::vector<ScriptClass> classes{
        {"RQueue", {"", "q", "qi"}, kContainerVerbs + Members{{"clear", ""}},
         kActionProperties + Members{{"repeatCount", "q"}}, {"finished"}},
        {"RCompositeAction", {"", "i"}, kContainerVerbs, kActionProperties, {"finished"}},
        {"OMMultiTrinket", {""}, kGroupVerbs, kGroupProperties, kTrinketEvents},
        {"OMAnimation", {"ccr"}, kAnimationVerbs, kAnimationProperties, kAnimationEvents},
        {"RAnimation", {"a", "cca"},
         kAnimationVerbs + Members{{"hide", ""}, {"show", ""}, {"paint", ""}, {"pause", ""}, {"play", ""},
                                   {"resume", ""}, {"suspend", ""}, {"replacePaletteEntry", "nnnn"},
                                   {"setAOCursor", "nn"}},
         kAnimationProperties + Members{{"frameCount", "n"}, {"frameNotification", "i"}, {"framerate", "n"},
                                        {"height", "n"}, {"repeatCount", "i"}, {"soundSync", "i"},
                                        {"userData", "s"}, {"width", "n"}},
         kAnimationEvents + Names{"frameNotify"}},
        {"RPButton", {"r", "ccr"}, kAnimationVerbs,
         kAnimationProperties + Members{{"enabled", "i"}, {"clickSoundID", "r"}, {"playDelay", "m"}},
         kAnimationEvents + Names{"hit"}},
        {"RHotSpot", {"ccccn", "cccci"}, {{"top", ""}}, {}, {"hit", "dblClick"}},
        {"RKbdInp", {""}, {}, {{"key", "n"}}, {"keyPressed"}},
        {"RDescriptorFile", {""}, {}, {{"exitButtonID", "n"}}, {}},
        {"RCharacter", {"ri", "rcci"},
         kGroupVerbs + Members{{"addFidget", "iri"}, {"addFidgetGroup", "iiii"}, {"addSpeechAnim", "a"},
                               {"pause", ""}, {"playAnim", "aii"}, {"playSpeech", "rii"},
                               {"removeFidgetGroup", "i"}, {"resume", ""}, {"setAOCursor", "nn"}, {"stop", ""}},
         kGroupProperties + Members{{"animateSettled", "i"}, {"enabled", "i"}, {"settlePoseID", "r"}},
         kTrinketEvents + Names{"finished"}},
        {"RDitty", {""},
         {{"waveSingle", "f"}, {"waveAlbum", ""}, {"wavePreMix", ""}, {"resPreMex", ""}, {"startPreMix", ""},
          {"resSingle", "sr"}, {"resAlbum", "s"}, {"stop", ""}, {"pause", ""}, {"resume", ""},
          {"randomWave", ""}, {"randomRes", "s"}},
         {{"volume", "n"}, {"resFile", "f"}, {"repeat", "i"}, {"status", "i"}, {"cache", "i"}},
         {"start", "finished"}},
        {"RText", {"sncc", "snccn", "snccnni"}, kTrinketVerbs + Members{{"setFont", "*"}},
         kTrinketProperties + Members{{"colorIndex", "n"}, {"text", "s"}, {"userData", "s"}, {"wrap", "i"},
                                      {"fontAscent", "n"}, {"textHeight", "n"}, {"textWidth", "n"}},
         kTrinketEvents},
        {"RGraphicAnswer", {"ccnrsi"}, kGroupVerbs + kFaceVerbs + Members{{"replacePaletteEntry", "nnnn"}},
         kAnswerProperties + Members{{"hotPointX", "n"}, {"hotPointY", "n"}, {"isUsingHotPoint", "i"}},
         kAnswerEvents},
        {"RGraphicTextAnswer", {"ccnrssi"}, kGroupVerbs + kFaceVerbs + Members{{"setFont", "*"}},
         kAnswerProperties + Members{{"text", "s"}, {"textColorIndex", "n"}, {"textOffsetX", "n"},
                                     {"textOffsetY", "n"}},
         kAnswerEvents},
        {"RStackingContainer", {"rnnn", "rccnnn", "ccnnnnn"}, kGroupVerbs + kFaceVerbs,
         kContainerProperties + Members{{"answerValue", "n"}, {"droppedSound", "r"}, {"solvedAnswerCount", "n"},
                                        {"value", "n"}},
         kContainerEvents},
        {"RAttributeContainer", {"rns", "rccns", "ccnnns"},
         kGroupVerbs + kFaceVerbs + Members{{"replacePaletteEntry", "nnnn"}},
         kContainerProperties + Members{{"anchorAnswerAtPoint", "i"}, {"answerAnchorPointX", "n"},
                                        {"answerAnchorPointY", "n"}, {"answerProperty", "s"}, {"attribute", "s"},
                                        {"doPixelCompare", "i"}},
         kContainerEvents},
        {"RPuzzle", {""},
         {{"addAnswer", "o"}, {"addAnswerToContainer", "oo"}, {"addContainer", "o"}, {"anchorAnswers", ""},
          {"removeAnswer", "o"}, {"removeAnswerFromContainer", "oo"}, {"removeContainer", "o"}, {"reset", ""},
          {"play", ""}, {"setAnswer", "iss"}, {"setContainer", "is"}, {"setPuzzleText", "*"},
          {"setPuzzleTextFont", "*"}, {"setPuzzleGraphic", "*"}, {"shiftAnswers", "nn"},
          {"shiftContainers", "nn"}, {"start", ""}, {"unanchorAnswers", ""}},
         {{"areAnswersUsed", "i"}, {"areContainersFull", "i"}, {"puzzleTextColorIndex", "n"},
          {"scrambleAnswers", "i"}, {"isSolved", "i"}, {"lockCorrectAnswers", "i"}, {"rejectIncorrectAnswers", "i"}},
         {"answersUsed", "containersFull", "puzzleSolved", "puzzleWrong", "overflow"}},
        {"RSlider", {"ccccnn"}, {}, {{"position", "n"}}, {"moved"}},
        {"RWSlider", {"ccnini"}, {}, {{"position", "n"}}, {"moved"}},
        {"RGauge", {"ccrnn", "ccinn"}, {}, {{"position", "n"}}, {"moved"}},
        {"RToon", {"ccriii"}, {{"startToon", ""}, {"stopToon", ""}, {"stamp", ""}},
         {{"visible", "i"}, {"rate", "n"}, {"frame", "n"}, {"status", "i"}, {"movable", "i"}, {"offset", "n"},
          {"frames", "n"}, {"width", "n"}, {"height", "n"}, {"hot", "i"}, {"touchy", "i"}},
         {"finished", "hit", "rectHit", "dblClick"}},
        {"signin", {"ccn"},
         {{"start", ""}, {"newplayer", ""}, {"cancel", ""}, {"clear", ""}, {"enable", ""}, {"disable", ""}},
         {{"isNew", "i"}}, {"hit", "noName", "cSignin", "cCancel", "killedUser"}},
        {"PXKill", {"n"},
         kTrinketVerbs + Members{{"attractModeStart", ""}, {"pause", ""}, {"resume", ""}, {"tsToMap", "*"},
                                 {"startGame", "*"}, {"shutOff", ""}, {"cheatOn", ""}, {"textBox", "*"},
                                 {"playPayoff", "*"}, {"startProblem", "*"}, {"showRoad", "*"},
                                 {"showAnswer", "*"}, {"nextProblemSign", "*"}},
         kTrinketProperties + Members{{"userScore", "n"}, {"mode", "n"}, {"speed", "n"}, {"diffLevel", "i"},
                                      {"volume", "n"}, {"pxSpeechID", "n"}},
         kTrinketEvents + Names{"startTS", "showTS", "dropTS", "gameOver", "showHiscores", "dropHiscores", "saveData",
                                "rewardPrizeTicket", "stateProblem", "reStateProblem", "sayNextProblem",
                                "disableBopple", "rightAnswer", "wrongAnswer"}},
        {"RDatFile", {"nf"},
         {{"dump", ""}, {"incSubVar", "s"}, {"decSubVar", "s"}, {"createArray", "sn"}, {"writeMRData", "*"},
          {"loadMRData", "*"}, {"registerUser", "*"}},
         {{"var", "s"}, {"subVar", "s"}, {"arrayVar", "s"}, {"newVar", "s"}, {"varTime", "n"}, {"deltaTime", "n"},
          {"tickets", "n"}, {"bonusTicket", "n"}, {"sfxFlag", "i"}, {"musicFlag", "i"}, {"voiceFlag", "i"}},
         {}},
        {"RConfirm", {""}, {}, {}, {"goToExit"}},
        {"RAssess", {"", "n"}, {}, {}, {"goToConfirmation", "goToExit"}},
        {"RSmackerMovie", {"M", "Mcc", "Mccii", "Mcciii"},
         {{"", ""}, {"start", ""}, {"stop", ""}, {"release", ""}, {"addSignals", "*"}, {"removeSignals", "*"}},
         {{"frame", "n"}, {"frames", "n"}, {"rate", "n"}, {"height", "n"}, {"width", "n"}, {"summary", "n"},
          {"summaryText", "s"}, {"collecting", "i"}},
         {"finished", "signal", "mouseUp", "mouseDown", "dblClick"}},
    };
    return classes;
}

// The kinds that the action factory makes, with the argument templates that each accepts.
struct ActionKind {
    const char* name;
    Names args;
};

const std::vector<ActionKind> kActionKinds{
    {"DelayAction", {"m", "mi"}},
    {"RandomDelayAction", {"mm", "mmi"}},
    {"EmptyAction", {"", "i"}},
    {"VerbAction", {"oiv", "oiv*"}},
    {"PropertyAction", {"ops", "opsi"}},
    {"SoundAction", {"r", "rn", "rni"}},
    {"AnimAction", {"ann", "anni", "accnn", "accnni"}},
    {"PlayAnimAction", {"o", "oi"}},
    {"CharacterAnimAction", {"oa", "oaii", "oaiii"}},
    {"CharacterSpeechAction", {"or", "ori"}},
    {"MoveXAction", {"oonnnn", "oonnnni"}},
    {"MoveYAction", {"oonnnn", "oonnnni"}},
    {"MoveXYAction", {"oonnnnnnnn", "oonnnnnnnni"}},
};

// Verbs that end, stop or empty their object: what event procedures do to their sender and others.
const Names kEndingVerbs{"halt", "clear", "stop", "pause", "resume", "removeTrinkets", "stopToon", "release"};

// A 60-character text; "l2" is two of it, the longest text an expression may make.
const char* const kLongText = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

class ScriptBuilder {
public:
    explicit ScriptBuilder(std::uint32_t seed) : random_(seed), seed_(seed) {}

    std::vector<std::string> build() {
        objects_ = 3 + below(6);
        procedures_ = 2 + below(3);
        held_.assign(static_cast<std::size_t>(objects_) + 1, nullptr);
        waitingQueue_.assign(static_cast<std::size_t>(procedures_) + 1, 0);
        line(std::string("l1=\"") + kLongText + "\"");
        line("l2=l1+l1");
        if (chance(4)) line("yield run");
        for (int i = 1; i <= objects_; ++i) create(i);
        // Consecutive seeds copy every class in turn.
        const std::vector<ScriptClass>& classes = scriptClasses();
        copy(1 + below(objects_), classes[seed_ % classes.size()]);
        const int statements = 12 + below(28);
        for (int i = 0; i < statements; ++i) statement();
        line("say end");
        line("quit");
        for (int p = 1; p <= procedures_; ++p) procedure(p);
        return lines_;
    }

private:
    // The modulo of the engine's output: std::mt19937's sequence is fixed by the standard, unlike the
    // distributions of the library.
    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    bool chance(int oneIn) { return below(oneIn) == 0; }
    template <class T>
    const T& pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

    void line(const std::string& text) { lines_.push_back(text); }

    static std::string object(int i) { return "o" + std::to_string(i); }
    std::string anyObject() { return object(1 + below(objects_)); }
    static std::string procedureName(int p) { return "+p" + std::to_string(p); }
    std::string anyProcedure() { return procedureName(1 + below(procedures_)); }
    const ScriptClass& anyClass() { return pick(scriptClasses()); }
    // Actions, containers and groups are made more often: their holding of each other is where objects
    // outlive their holders.
    const ScriptClass& classToMake() {
        static const Names favoured{"RQueue", "RQueue", "RQueue", "RCompositeAction", "RCompositeAction",
                                    "OMMultiTrinket", "RHotSpot", "RAnimation", "RCharacter"};
        if (chance(3)) return anyClass();
        return *classNamed(pick(favoured));
    }
    static const ScriptClass* classNamed(const std::string& name) {
        for (const ScriptClass& c : scriptClasses())
            if (name == c.name) return &c;
        return nullptr;
    }

    // An argument that a careful script would not give: empty, negative, huge, long, or naming the
    // object itself or the event's sender.
    std::string hostile(const std::string& self) {
        switch (below(12)) {
        case 0: return "\"\"";
        case 1: return "-1";
        case 2: return "-99999";
        case 3: return "99999999999";
        case 4: return "2147483648";
        case 5: return "0";
        case 6: return chance(2) ? "l1" : "l2";
        case 7: return "'" + self + "'";
        case 8: return self;
        case 9: return "'RECEIVER'";
        case 10: return "RECEIVER";
        default: return "?";
        }
    }

    std::string plain(char kind) {
        static const Names words{"a", "b.c", "'two words'", "x1", "'cat'", "l1"};
        static const Names files{"'u.DAT'", "'PRsc\\sounds.dll'", "'a.wav'", "'PRsc\\pictures.dll'"};
        static const std::vector<int> ids{12, 500, 7, 9666, 9667, 9668, 1, 0};
        static const std::vector<int> delays{0, 10, 50, 100, 150, 1000};
        // A queue of steps that end at once runs every pass inside its start: a count this high must not
        // need a deeper stack. No queue runs for ever (-1): one whose steps all end at once would raise their
        // events on every main-loop pass, and each event abandons the procedure that the last one started,
        // so the script would never reach its "quit".
        static const std::vector<int> repeats{1, 2, 5, -2, 0, 100000};
        switch (kind) {
        case 'i': return std::to_string(below(4));
        case 'n': return std::to_string(below(300));
        case 'c': return std::to_string(below(640));
        case 'm': return std::to_string(pick(delays));
        case 'q': return std::to_string(pick(repeats));
        case 'r': return std::to_string(pick(ids));
        case 'a': return std::to_string(chance(4) ? 12 : kGeneratedAnimationId);
        case 'o': return "'" + anyObject() + "'";
        case 'f': return pick(files);
        case 'M': return "m.smk";
        case 'v': {
            const ScriptClass& c = anyClass();
            const char* verb = c.verbs.empty() ? "" : pick(c.verbs).name;
            return verb[0] ? verb : "start";
        }
        case 'p': {
            const ScriptClass& c = anyClass();
            return c.properties.empty() ? "x" : pick(c.properties).name;
        }
        default: return pick(words);
        }
    }

    void expand(const char* pattern, std::vector<std::string>& out) {
        for (const char* k = pattern; *k; ++k) {
            if (*k == 'k') {
                const ActionKind& kind = pick(kActionKinds);
                out.push_back(kind.name);
                expand(pick(kind.args), out);
            } else if (*k == '*') {
                for (int n = below(4); n > 0; --n) out.push_back(plain("inso"[below(4)]));
            } else {
                out.push_back(plain(*k));
            }
        }
    }

    // A repeat count never asks for ever, hostile or not (see plain).
    static std::string asRepeatCount(const char* pattern, std::size_t i, const std::string& token) {
        return i < std::strlen(pattern) && pattern[i] == 'q' && token == "-1" ? "-2" : token;
    }

    // The arguments of a template, now and then cut short, with hostile ones put in or added. The movie's
    // name stays: a movie that cannot be found ends the program by design.
    std::string arguments(const char* pattern, const std::string& self) {
        std::vector<std::string> tokens;
        expand(pattern, tokens);
        const std::size_t kept = pattern[0] == 'M' ? 1 : 0;
        if (tokens.size() > kept && chance(8)) tokens.resize(kept + static_cast<std::size_t>(below(static_cast<int>(tokens.size() - kept))));
        for (std::size_t i = kept; i < tokens.size(); ++i)
            if (chance(10)) tokens[i] = asRepeatCount(pattern, i, hostile(self));
        if (chance(20)) tokens.push_back(hostile(self));
        std::string text;
        for (const std::string& token : tokens) text += " " + token;
        return text;
    }

    void make(int i, const ScriptClass& c) {
        held_[static_cast<std::size_t>(i)] = &c;
        line(object(i) + "=" + c.name + arguments(pick(c.makes), object(i)));
    }

    void create(int i) { make(i, classToMake()); }

    // A variable other than i.
    int another(int i) { return 1 + (i + below(objects_ - 1)) % objects_; }

    // An object of any class copied by assignment, played through the copy and its properties used, now and
    // then with the class's creation bound first, which each copy of the class raises.
    void copy(int i, const ScriptClass& c) {
        const int j = another(i);
        if (chance(3)) line("set " + std::string(c.name) + " born " + anyProcedure());
        make(i, c);
        held_[static_cast<std::size_t>(j)] = &c;
        const std::string name = object(j);
        line(name + "=" + object(i));
        line("play " + name);
        return chance(2) ? setProperty(name, c) : getProperty(name, c);
    }

    // A character's step on the title's animation in a started queue: the character's "finished" comes
    // while the queue waits on the step, and its procedure is apt to clear or drop that queue.
    void characterStep(int i) {
        const int j = another(i);
        make(j, *classNamed("RCharacter"));
        make(i, *classNamed("RQueue"));
        const std::string character = "'" + object(j) + "'";
        if (chance(3)) {
            line("play " + object(j) + " addSpeechAnim " + plain('a'));
            line("play " + object(i) + " add CharacterSpeechAction " + character + " 7");
        } else {
            line("play " + object(i) + " add CharacterAnimAction " + character + " " + plain('a'));
        }
        const int p = 1 + below(procedures_);
        waitingQueue_[static_cast<std::size_t>(p)] = i;
        line("set " + object(j) + " finished " + procedureName(p));
        line("play " + object(i) + " start");
    }

    // A timer armed with a procedure, or dropped.
    void timer() {
        const std::string kind = chance(2) ? "schedule" : "idle";
        if (chance(6)) return line("drop " + kind);
        line(kind + " 0." + std::to_string(1 + below(3)) + " " + anyProcedure());
    }

    void play(const std::string& name, const ScriptClass& c) {
        if (c.verbs.empty()) return line("play " + name + " " + pick(kEndingVerbs));
        const Member& verb = pick(c.verbs);
        line("play " + name + (verb.name[0] ? " " : "") + verb.name + arguments(verb.args, name));
    }

    void setProperty(const std::string& name, const ScriptClass& c) {
        if (c.properties.empty()) return line("set " + name + " x" + arguments("n", name));
        const Member& property = pick(c.properties);
        std::string value = arguments(property.args, name);
        if (value.empty()) value = " 0";
        line("set " + name + " " + property.name + value);
    }

    void getProperty(const std::string& name, const ScriptClass& c) {
        const char* property = c.properties.empty() || chance(5) ? "name" : pick(c.properties).name;
        line("get " + name + " " + property + " r");
    }

    void bindEvent(const std::string& name, const ScriptClass& c) {
        const char* event = c.events.empty() || chance(6) ? "finished" : pick(c.events);
        // Now and then an event unbound, or bound for the whole class.
        if (chance(12)) return line("set " + name + " " + event);
        const std::string target = chance(5) ? c.name : name;
        line("set " + target + " " + event + " " + anyProcedure());
    }

    // A statement uses, as a rule, the members of the class last made into its variable; now and then those
    // of another class, and the variable may have been emptied or given another object meanwhile.
    void statement() {
        const int i = 1 + below(objects_);
        const std::string name = object(i);
        const ScriptClass* made = held_[static_cast<std::size_t>(i)];
        const ScriptClass& c = made && !chance(5) ? *made : anyClass();
        switch (below(28)) {
        case 0: case 1: case 2: return create(i);
        case 3: case 4: case 5: case 6: case 7: return play(name, c);
        case 8: case 9: return setProperty(name, c);
        case 10: return getProperty(name, c);
        case 11: case 12: case 13: return bindEvent(name, c);
        case 14: case 15: return line("play " + name + " add" + arguments(chance(3) ? "k" : "o", name));
        case 16: return line("play " + name + " addTrinket" + arguments("oin", name));
        case 17: return line("drop " + name);
        case 18: return line(chance(6) ? "drop trinkets" : "play " + name + " " + pick(kEndingVerbs));
        case 19: return assign(i);
        case 20: return line("pause 0." + std::to_string(1 + below(3)));
        case 21: return line("call " + anyProcedure());
        case 22: return line(chance(2) ? "yield run" : "yield co");
        case 23: return copy(i, anyClass());
        case 24: case 25: return timer();
        case 26: return characterStep(i);
        default: return line("say " + name + " r");
        }
    }

    // A number, or another variable's value, owned or borrowed ("&").
    void assign(int i) {
        const int from = 1 + below(objects_);
        const ScriptClass* copied = held_[static_cast<std::size_t>(from)];
        if (chance(2)) {
            held_[static_cast<std::size_t>(i)] = nullptr;
            return line(object(i) + "=5");
        }
        held_[static_cast<std::size_t>(i)] = copied;
        line(object(i) + "=" + (chance(2) ? "&" : "") + object(from));
    }

    // What an event procedure does to its sender (RECEIVER) or to another object. It calls only
    // procedures after itself, so no call goes round.
    std::string handlerStatement(int p) {
        const int waiting = waitingQueue_[static_cast<std::size_t>(p)];
        if (waiting && chance(3)) return chance(2) ? "drop " + object(waiting) : "play " + object(waiting) + " clear";
        const std::string other = anyObject();
        switch (below(12)) {
        case 0: return "drop RECEIVER";
        case 1: return "drop " + other;
        case 2: case 3: return "play RECEIVER " + std::string(pick(kEndingVerbs));
        case 4: case 5: return "play " + other + " " + pick(kEndingVerbs);
        case 6: return chance(4) ? "drop trinkets" : other + "=" + (chance(2) ? "RQueue" : "5");
        case 7: return "get RECEIVER isActive r";
        case 8: return "set RECEIVER " + plain('p') + arguments("n", "RECEIVER");
        case 9: return p < procedures_ ? "call " + procedureName(p + 1 + below(procedures_ - p)) : "say last";
        default: return "say p" + std::to_string(p);
        }
    }

    void procedure(int p) {
        line("procedure " + procedureName(p));
        line("[");
        line(" say p" + std::to_string(p));
        for (int n = below(4); n > 0; --n) line(" " + handlerStatement(p));
        line("]");
    }

    std::mt19937 random_;
    std::uint32_t seed_;
    std::vector<std::string> lines_;
    std::vector<const ScriptClass*> held_;  // by variable number: the class last made into it, if any
    std::vector<int> waitingQueue_;          // by procedure number: the variable of a queue on a character's step
    int objects_ = 0;
    int procedures_ = 0;
};

}  // namespace

std::vector<std::string> generateScript(std::uint32_t seed) { return ScriptBuilder(seed).build(); }
