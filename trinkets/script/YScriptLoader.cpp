// Finding and reading scripts (plain files first, then the thread's resolver), and compiling what is text.
#include "YScriptLoader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "OMAlert.h"
#include "OMAppInitTerm.h"
#include "OMIStream.h"
#include "YCompiledImage.h"
#include "YCompiler.h"
#include "YHeap.h"
#include "YVariable.h"

namespace {

constexpr unsigned kAlertFlags = 0x3000;

// The thread whose script is being loaded: included files go to its resolver.
YThread* loadingThread = nullptr;

// The whole of a file; false when it cannot be opened.
bool readWholeFile(const char* name, std::vector<std::uint8_t>* out) {
    std::FILE* file = std::fopen(name, "rb");
    if (!file) return false;
    std::uint8_t chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) out->insert(out->end(), chunk, chunk + n);
    std::fclose(file);
    return true;
}

// The bytes of the resolver's stream for name; ends the program when there are none.
std::vector<std::uint8_t> readThroughResolver(const char* name) {
    const YScriptResolver resolver = loadingThread ? loadingThread->resolver : nullptr;
    if (!resolver) scriptLoadFailed((std::string("can't find ") + name).c_str());
    OMIStream* stream = resolver(name);
    std::vector<std::uint8_t> bytes;
    if (stream) {
        stream->seek(0);
        const std::int32_t n = stream->read();
        if (n > 0 && stream->current) bytes.assign(stream->current, stream->current + n);
        delete stream;
    }
    if (bytes.empty()) scriptLoadFailed("unknown script");
    return bytes;
}

std::vector<std::uint8_t> readScript(const char* name) {
    std::vector<std::uint8_t> bytes;
    if (readWholeFile(name, &bytes)) return bytes;
    return readThroughResolver(name);
}

bool includeLoader(const char* name, std::string* text) {
    const std::vector<std::uint8_t> bytes = readScript(name);
    if (bytes.size() > kYMaxScriptSize) scriptLoadFailed("Script too long");
    text->assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace

void scriptLoadFailed(const char* message) {
    omAlert(message, kAlertFlags, "");
    std::exit(1);
}

bool loadAndCompileBytes(YThread* thread, const std::uint8_t* data, std::size_t size) {
    thread->script = {};
    if (isCompiledScript(data, size)) return loadCompiledScript(data, size, &thread->script);
    if (size > kYMaxScriptSize) scriptLoadFailed("Script too long");
    YThread* outer = loadingThread;
    loadingThread = thread;
    const bool compiled = compileScript(reinterpret_cast<const char*>(data), size, includeLoader, thread->stack,
                                        &thread->script);
    loadingThread = outer;
    thread->stack.clear();
    return compiled;
}

bool loadAndCompileFile(YThread* thread, const char* name) {
    YThread* outer = loadingThread;
    loadingThread = thread;
    const std::vector<std::uint8_t> bytes = readScript(name);
    loadingThread = outer;
    return loadAndCompileBytes(thread, bytes.data(), bytes.size());
}

bool loadAndCompileStream(YThread* thread, OMIStream* stream) {
    if (!stream) scriptLoadFailed("unknown script");
    stream->seek(0);
    const std::int32_t n = stream->read();
    if (n <= 0 || !stream->current) scriptLoadFailed("unknown script");
    const std::vector<std::uint8_t> bytes(stream->current, stream->current + n);
    return loadAndCompileBytes(thread, bytes.data(), bytes.size());
}

YFunctionRecord::YFunctionRecord(const char* functionName, const OMLink* called)
    : name(new char[std::strlen(functionName) + 1]), link(called ? called->clone() : nullptr) {
    std::strcpy(name, functionName);
}

YFunctionRecord::~YFunctionRecord() {
    delete[] name;
    delete link;
}

namespace {

OMList<YFunctionRecord>& functionRegistry() {
    static OMList<YFunctionRecord> registry;
    return registry;
}

// The program's end empties the registry of script commands, deleting its records, and the thread list,
// whose threads belong to their owners.
void endScriptEngine() {
    clearScriptFunctions();
    scriptThreads().clear(false);
}

OMAppInitTerm scriptEngineRecord{nullptr, endScriptEngine};

struct ScriptEngineRegistration {
    ScriptEngineRegistration() { registerInitTerm(&scriptEngineRecord); }
} scriptEngineRegistration;

}  // namespace

void registerScriptFunction(const char* name, const OMLink* link) {
    if (!name || findScriptFunction(name)) return;
    functionRegistry().append(new YFunctionRecord(name, link));
}

YFunctionRecord* findScriptFunction(const char* name) {
    for (OMListElement<YFunctionRecord>* n = functionRegistry().head; n; n = n->next) {
        if (std::strcmp(n->element->name, name) == 0) return n->element;
    }
    return nullptr;
}

void clearScriptFunctions() { functionRegistry().clear(true); }

void setResultVariable(std::int32_t n) {
    if (YVariable* result = scriptHeap().at(kYResult)) result->setInteger(n);
}

void appendDebugLine(const char* text) {
    std::FILE* file = std::fopen("debug.txt", "at");
    if (!file) return;
    std::fprintf(file, "%s\n", text);
    std::fclose(file);
}

void resetScriptIdleTimers() {
    for (OMListElement<YThread>* n = scriptThreads().head; n; n = n->next) n->element->idleTicks = 0;
}
