// The log engine: level filter, time stamps, line output through the buffer, flushing and trimming.
#include "LogEngine.h"

#include <windows.h>

// The engine's lock is never named or shared with another process, so a critical section excludes and
// nests exactly as an unnamed mutex would, without a round trip to the kernel when uncontended.
struct cLogEngine::Section {
    Section() { InitializeCriticalSection(&section); }
    ~Section() { DeleteCriticalSection(&section); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    CRITICAL_SECTION section;
};

class cLogEngine::Lock {
public:
    explicit Lock(Section& held) : held_(held) { EnterCriticalSection(&held_.section); }
    ~Lock() { LeaveCriticalSection(&held_.section); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    Section& held_;
};

cLogEngine::cLogEngine(LogEnvironment& environment)
    : environment_(environment), section_(std::make_unique<Section>()) {}

cLogEngine::~cLogEngine() {
    Lock lock(*section_);
    flush();
    file_.close();
}

int cLogEngine::SetLevel(std::uint16_t level) {
    Lock lock(*section_);
    if (level > kMaxLevel) return 0;
    level_ = level;
    return 1;
}

std::uint16_t cLogEngine::GetLevel() const {
    Lock lock(*section_);
    return level_;
}

void cLogEngine::SetOptions(std::uint32_t options) {
    Lock lock(*section_);
    options_ = options;
}

std::uint32_t cLogEngine::GetOptions() const {
    Lock lock(*section_);
    return options_;
}

// Lines still buffered because the file could not be written are carried over, never dropped.
void cLogEngine::SetBufLen(std::uint32_t length) {
    Lock lock(*section_);
    flush();
    bufferLength_ = length < kMinBufferLength ? kMinBufferLength : length;
}

std::uint32_t cLogEngine::GetBufLen() const {
    Lock lock(*section_);
    return bufferLength_;
}

// Buffered lines go to the old file if it can be written, else to the new one at the next flush.
void cLogEngine::SetFile(const std::string& name) {
    Lock lock(*section_);
    flush();
    file_.close();
    fileName_ = name;
}

std::string cLogEngine::GetFile() const {
    Lock lock(*section_);
    return fileName_;
}

void cLogEngine::SetMsgFile(const std::string& name) {
    Lock lock(*section_);
    msgFileName_ = name;
    std::string text;
    if (readFoundFile(name, text)) messages_ = parseMessageFile(text);
}

std::string cLogEngine::GetMsgFile() const {
    Lock lock(*section_);
    return msgFileName_;
}

void cLogEngine::SetMaxLines(std::uint32_t lines) {
    Lock lock(*section_);
    maxLines_ = lines;
}

std::uint32_t cLogEngine::GetMaxLines() const {
    Lock lock(*section_);
    return maxLines_;
}

void cLogEngine::SetMinLines(std::uint32_t lines) {
    Lock lock(*section_);
    minLines_ = lines;
}

std::uint32_t cLogEngine::GetMinLines() const {
    Lock lock(*section_);
    return minLines_;
}

void cLogEngine::SetLocalParam(const std::string& name, const std::string& text) {
    Lock lock(*section_);
    setParameter(localParams_, name, text);
}

void cLogEngine::SetGlobalParam(const std::string& name, const std::string& text) {
    Lock lock(*section_);
    setParameter(globalParams_, name, text);
}

namespace {

std::optional<std::string> valueOf(const ParameterTable& table, const std::string& name) {
    const std::string* value = findParameter(table, name);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

}  // namespace

std::optional<std::string> cLogEngine::GetLocalParam(const std::string& name) const {
    Lock lock(*section_);
    return valueOf(localParams_, name);
}

std::optional<std::string> cLogEngine::GetGlobalParam(const std::string& name) const {
    Lock lock(*section_);
    return valueOf(globalParams_, name);
}

int cLogEngine::Write(std::uint16_t id) {
    Lock lock(*section_);
    lastWriteLogged_ = false;
    auto message = messages_.find(id);
    bool written = false;
    if (levelAllows(id) && message != messages_.end()) {
        stampTime();
        expanded_.clear();
        appendExpanded(expanded_, message->second, localParams_, globalParams_);
        written = outputText(id, expanded_);
    }
    localParams_.clear();
    lastWriteLogged_ = written;
    return written ? 1 : 0;
}

int cLogEngine::WriteHex(const void* data, long length) {
    Lock lock(*section_);
    if (!lastWriteLogged_ || data == nullptr) return 0;
    stampTime();
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (long offset = 0; offset < length; offset += kHexRowBytes) {
        std::size_t count = static_cast<std::size_t>(length - offset);
        std::string row = hexRowText(static_cast<std::uint32_t>(offset), bytes + offset, count);
        if (!outputLine(formatter_.format(stamp_, elapsed_, 0, row))) return 0;
    }
    return 1;
}

int cLogEngine::FlushBuf() {
    Lock lock(*section_);
    return flush() ? 1 : 0;
}

void cLogEngine::AddRef() {
    Lock lock(*section_);
    ++refCount_;
}

bool cLogEngine::Release() {
    Lock lock(*section_);
    return --refCount_ <= 0;
}

// Ids 0-999 are written whenever logging is on; a message of level 7 or more (ids 7000 and above)
// never is.
bool cLogEngine::levelAllows(std::uint16_t id) const {
    unsigned messageLevel = id / 1000u;
    return level_ != 0 && messageLevel <= kMaxLevel && messageLevel <= level_;
}

void cLogEngine::stampTime() {
    stamp_ = environment_.localTime();
    std::uint32_t now = environment_.tickCount();
    if (previousTick_ == 0) {
        elapsed_ = 0;
    } else {
        std::uint32_t previous = now < previousTick_ ? 0 : previousTick_;
        elapsed_ = now - previous;
    }
    if (elapsed_ > kMaxElapsedMs) elapsed_ = kMaxElapsedMs;
    previousTick_ = now;
}

// The text is cut every 80 characters; each piece is one line with the message's stamp.
bool cLogEngine::outputText(std::uint16_t id, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); pos += kLogTextWidth) {
        if (!outputLine(formatter_.format(stamp_, elapsed_, id, text.substr(pos, kLogTextWidth))))
            return false;
    }
    return true;
}

// False when the line could not be buffered because the buffer is full and the file cannot be written.
bool cLogEngine::outputLine(std::string_view line) {
    auto fits = [&] { return buffer_.empty() || buffer_.size() + 2 + line.size() <= bufferLength_; };
    if (!fits()) flush();
    bool buffered = fits();
    if (buffered) {
        if (!buffer_.empty()) buffer_ += "\r\n";
        buffer_ += line;
    }
    bool roomForAnother = buffer_.size() + kLogLineLength <= bufferLength_;
    if (!(options_ & kBufferOutput) || !roomForAnother) flush();
    if (options_ & kCopyToDebugger) {
        debugLine_.assign(line);
        debugLine_ += '\n';
        environment_.debugOutput(debugLine_.c_str());
    }
    return buffered;
}

bool cLogEngine::flush() {
    if (buffer_.empty()) return true;
    std::uint64_t length = 0;
    if (!fileOpenForAppend() || !file_.appendLines(buffer_, length)) {
        closeUnlessKeptOpen();
        return false;
    }
    trim(length);
    buffer_.clear();
    closeUnlessKeptOpen();
    return true;
}

bool cLogEngine::fileOpenForAppend() {
    return file_.isOpen() || file_.openForAppend(fileName_);
}

void cLogEngine::closeUnlessKeptOpen() {
    if (!(options_ & kKeepFileOpen)) file_.close();
}

// Cuts the file of `length` bytes to its last `minLines_` lines once it holds `maxLines_` lines (125
// bytes each). Only a cut reopens the file, for reading and writing. With `minLines_` 0 nothing is kept;
// a file shorter than what would be kept is left whole.
void cLogEngine::trim(std::uint64_t length) {
    if (length / kLogLineStride < maxLines_) return;
    if (file_.openForTrim(fileName_)) {
        std::uint64_t keep = minLines_ == 0 ? 0 : std::uint64_t(minLines_) * kLogLineStride - 2;
        (void)file_.keepTail(keep);
    }
}

void setLineLimits(cLogEngine& engine, std::uint32_t linesToKeep, std::uint32_t linesToTrim) {
    engine.SetMinLines(linesToKeep);
    engine.SetMaxLines(linesToTrim > linesToKeep ? linesToTrim : linesToKeep + 100);
}

int setLevelInRange(cLogEngine& engine, long level) {
    if (level < 0 || level > cLogEngine::kMaxLevel) return 0;
    return engine.SetLevel(static_cast<std::uint16_t>(level));
}
