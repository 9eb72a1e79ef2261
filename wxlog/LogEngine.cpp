// The log engine: level filter, time stamps, line output through the buffer, flushing and trimming.
#include "LogEngine.h"

#include <windows.h>

class cLogEngine::Lock {
public:
    explicit Lock(void* mutex) : mutex_(mutex) { WaitForSingleObject(mutex_, INFINITE); }
    ~Lock() { ReleaseMutex(mutex_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    void* mutex_;
};

cLogEngine::cLogEngine(LogEnvironment& environment)
    : environment_(environment), mutex_(CreateMutexA(nullptr, FALSE, nullptr)) {}

cLogEngine::~cLogEngine() {
    {
        Lock lock(mutex_);
        flush();
        file_.close();
    }
    CloseHandle(mutex_);
}

int cLogEngine::SetLevel(std::uint16_t level) {
    Lock lock(mutex_);
    if (level > kMaxLevel) return 0;
    level_ = level;
    return 1;
}

std::uint16_t cLogEngine::GetLevel() const {
    Lock lock(mutex_);
    return level_;
}

void cLogEngine::SetOptions(std::uint32_t options) {
    Lock lock(mutex_);
    options_ = options;
}

std::uint32_t cLogEngine::GetOptions() const {
    Lock lock(mutex_);
    return options_;
}

// Lines still buffered because the file could not be written are carried over, never dropped.
void cLogEngine::SetBufLen(std::uint32_t length) {
    Lock lock(mutex_);
    flush();
    bufferLength_ = length < kMinBufferLength ? kMinBufferLength : length;
}

std::uint32_t cLogEngine::GetBufLen() const {
    Lock lock(mutex_);
    return bufferLength_;
}

// Buffered lines go to the old file if it can be written, else to the new one at the next flush.
void cLogEngine::SetFile(const std::string& name) {
    Lock lock(mutex_);
    flush();
    file_.close();
    fileName_ = name;
}

std::string cLogEngine::GetFile() const {
    Lock lock(mutex_);
    return fileName_;
}

void cLogEngine::SetMsgFile(const std::string& name) {
    Lock lock(mutex_);
    msgFileName_ = name;
    std::string text;
    if (readFoundFile(name, text)) messages_ = parseMessageFile(text);
}

std::string cLogEngine::GetMsgFile() const {
    Lock lock(mutex_);
    return msgFileName_;
}

void cLogEngine::SetMaxLines(std::uint32_t lines) {
    Lock lock(mutex_);
    maxLines_ = lines;
}

std::uint32_t cLogEngine::GetMaxLines() const {
    Lock lock(mutex_);
    return maxLines_;
}

void cLogEngine::SetMinLines(std::uint32_t lines) {
    Lock lock(mutex_);
    minLines_ = lines;
}

std::uint32_t cLogEngine::GetMinLines() const {
    Lock lock(mutex_);
    return minLines_;
}

void cLogEngine::SetLocalParam(const std::string& name, const std::string& text) {
    Lock lock(mutex_);
    localParams_[name] = text;
}

void cLogEngine::SetGlobalParam(const std::string& name, const std::string& text) {
    Lock lock(mutex_);
    globalParams_[name] = text;
}

namespace {

std::optional<std::string> valueOf(const ParameterTable& table, const std::string& name) {
    const std::string* value = findParameter(table, name);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

}  // namespace

std::optional<std::string> cLogEngine::GetLocalParam(const std::string& name) const {
    Lock lock(mutex_);
    return valueOf(localParams_, name);
}

std::optional<std::string> cLogEngine::GetGlobalParam(const std::string& name) const {
    Lock lock(mutex_);
    return valueOf(globalParams_, name);
}

int cLogEngine::Write(std::uint16_t id) {
    Lock lock(mutex_);
    lastWriteLogged_ = false;
    auto message = messages_.find(id);
    bool written = false;
    if (levelAllows(id) && message != messages_.end()) {
        stampTime();
        written = outputText(id, expandPlaceholders(message->second, localParams_, globalParams_));
    }
    localParams_.clear();
    lastWriteLogged_ = written;
    return written ? 1 : 0;
}

int cLogEngine::WriteHex(const void* data, long length) {
    Lock lock(mutex_);
    if (!lastWriteLogged_ || data == nullptr) return 0;
    stampTime();
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (long offset = 0; offset < length; offset += kHexRowBytes) {
        std::size_t count = static_cast<std::size_t>(length - offset);
        std::string row = hexRowText(static_cast<std::uint32_t>(offset), bytes + offset, count);
        if (!outputLine(formatLogLine(stamp_, elapsed_, 0, row))) return 0;
    }
    return 1;
}

int cLogEngine::FlushBuf() {
    Lock lock(mutex_);
    return flush() ? 1 : 0;
}

void cLogEngine::AddRef() {
    Lock lock(mutex_);
    ++refCount_;
}

bool cLogEngine::Release() {
    Lock lock(mutex_);
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
bool cLogEngine::outputText(std::uint16_t id, const std::string& text) {
    for (std::size_t pos = 0; pos < text.size(); pos += kLogTextWidth) {
        if (!outputLine(formatLogLine(stamp_, elapsed_, id, text.substr(pos, kLogTextWidth))))
            return false;
    }
    return true;
}

// False when the line could not be buffered because the buffer is full and the file cannot be written.
bool cLogEngine::outputLine(const std::string& line) {
    auto fits = [&] { return buffer_.empty() || buffer_.size() + 2 + line.size() <= bufferLength_; };
    if (!fits()) flush();
    bool buffered = fits();
    if (buffered) {
        if (!buffer_.empty()) buffer_ += "\r\n";
        buffer_ += line;
    }
    bool roomForAnother = buffer_.size() + kLogLineLength <= bufferLength_;
    if (!(options_ & kBufferOutput) || !roomForAnother) flush();
    if (options_ & kCopyToDebugger) environment_.debugOutput((line + "\n").c_str());
    return buffered;
}

bool cLogEngine::flush() {
    if (buffer_.empty()) return true;
    if (!fileOpenForAppend() || !file_.appendLines(buffer_)) {
        closeUnlessKeptOpen();
        return false;
    }
    trim();
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

// Cuts the file to its last `minLines_` lines once it holds `maxLines_` lines (125 bytes each). With
// `minLines_` 0 nothing is kept; a file shorter than what would be kept is left whole.
void cLogEngine::trim() {
    if (!file_.openForTrim(fileName_)) return;
    std::uint64_t length = 0;
    if (file_.size(length) && length / kLogLineStride >= maxLines_) {
        std::uint64_t keep = minLines_ == 0 ? 0 : std::uint64_t(minLines_) * kLogLineStride - 2;
        (void)file_.keepTail(keep);
    }
    closeUnlessKeptOpen();
}

void setLineLimits(cLogEngine& engine, std::uint32_t linesToKeep, std::uint32_t linesToTrim) {
    engine.SetMinLines(linesToKeep);
    engine.SetMaxLines(linesToTrim > linesToKeep ? linesToTrim : linesToKeep + 100);
}

int setLevelInRange(cLogEngine& engine, long level) {
    if (level < 0 || level > cLogEngine::kMaxLevel) return 0;
    return engine.SetLevel(static_cast<std::uint16_t>(level));
}
