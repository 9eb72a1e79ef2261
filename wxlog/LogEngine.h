// cLogEngine: one log with its level filter, message table, parameters, output buffer and file.
// Every operation holds the engine's own lock for its whole run.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "LogEnvironment.h"
#include "LogFile.h"
#include "LogLine.h"
#include "MessageFile.h"
#include "Placeholders.h"

class cLogEngine {
public:
    // Bits of the options word.
    static constexpr std::uint32_t kKeepFileOpen = 1;
    static constexpr std::uint32_t kBufferOutput = 2;
    static constexpr std::uint32_t kCopyToDebugger = 4;
    static constexpr std::uint32_t kDefaultOptions = kBufferOutput | kCopyToDebugger;
    static constexpr std::uint32_t kMinBufferLength = 1230;
    static constexpr std::uint16_t kMaxLevel = 6;

    explicit cLogEngine(LogEnvironment& environment = systemLogEnvironment());
    cLogEngine(const cLogEngine&) = delete;
    cLogEngine& operator=(const cLogEngine&) = delete;
    // Flushes and closes the file.
    ~cLogEngine();

    int SetLevel(std::uint16_t level);
    std::uint16_t GetLevel() const;
    void SetOptions(std::uint32_t options);
    std::uint32_t GetOptions() const;
    void SetBufLen(std::uint32_t length);
    std::uint32_t GetBufLen() const;
    void SetFile(const std::string& name);
    std::string GetFile() const;
    void SetMsgFile(const std::string& name);
    std::string GetMsgFile() const;
    void SetMaxLines(std::uint32_t lines);
    std::uint32_t GetMaxLines() const;
    void SetMinLines(std::uint32_t lines);
    std::uint32_t GetMinLines() const;

    void SetLocalParam(const std::string& name, const std::string& text);
    void SetGlobalParam(const std::string& name, const std::string& text);
    std::optional<std::string> GetLocalParam(const std::string& name) const;
    std::optional<std::string> GetGlobalParam(const std::string& name) const;

    // 1 when every line of the message reached the buffer or the file, else 0.
    int Write(std::uint16_t id);
    // Dumps `length` bytes as rows of message 0 after the message just written; 1 or 0.
    int WriteHex(const void* data, long length);
    // Writes the buffered lines out now; 0 when the file cannot be written (the lines are kept).
    int FlushBuf();

    // Shared ownership for the exported class: AddRef, and Release that says whether it was the last.
    void AddRef();
    bool Release();

private:
    struct Section;
    class Lock;

    void stampTime();
    bool levelAllows(std::uint16_t id) const;
    bool outputText(std::uint16_t id, std::string_view text);
    bool outputLine(std::string_view line);
    bool flush();
    void trim(std::uint64_t length);
    bool fileOpenForAppend();
    void closeUnlessKeptOpen();

    LogEnvironment& environment_;
    ParameterTable localParams_;
    ParameterTable globalParams_;
    MessageTable messages_;
    std::uint16_t level_ = 0;
    std::string fileName_;
    LogFile file_;
    LogStamp stamp_;
    std::uint32_t elapsed_ = 0;
    std::string expanded_;  // the message text being written, kept to reuse its storage
    LogLineFormatter formatter_;
    std::uint32_t previousTick_ = 0;
    std::uint32_t options_ = kDefaultOptions;
    std::string buffer_;
    std::string debugLine_;
    std::uint32_t bufferLength_ = kMinBufferLength;
    bool lastWriteLogged_ = false;
    std::string msgFileName_;
    long refCount_ = 0;
    std::uint32_t maxLines_ = 0xFFFFFFFFu;
    std::uint32_t minLines_ = 1000;
    std::unique_ptr<Section> section_;
};

// The line-limit rule of the flat functions and the exported class: keep `linesToKeep` lines, and trim
// at `linesToTrim` when that is greater, else at `linesToKeep` + 100.
void setLineLimits(cLogEngine& engine, std::uint32_t linesToKeep, std::uint32_t linesToTrim);

// SetLevel for callers whose level is wider than 16 bits: a value outside 0..6 is refused with 0.
int setLevelInRange(cLogEngine& engine, long level);
