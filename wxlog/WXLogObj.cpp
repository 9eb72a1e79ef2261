// CWXLog: the exported class. Copies share one engine through the engine's reference count.
#include <new>

#include "ExportGuard.h"
#include "LogEngine.h"
#include "wxlog32.h"

namespace {

cLogEngine* newSharedEngine() {
    cLogEngine* engine = new (std::nothrow) cLogEngine();
    if (engine) engine->AddRef();
    return engine;
}

void dropEngine(cLogEngine* engine) {
    if (engine && engine->Release()) delete engine;
}

template <typename Body>
void onEngine(cLogEngine* engine, Body&& body) noexcept {
    if (engine) guardedCall([&] { body(*engine); });
}

}  // namespace

CWXLog::CWXLog() : engine_(newSharedEngine()) {}

CWXLog::CWXLog(const CWXLog& other) : engine_(other.engine_) {
    if (engine_) engine_->AddRef();
}

CWXLog::~CWXLog() { dropEngine(engine_); }

CWXLog& CWXLog::operator=(const CWXLog& other) {
    if (this == &other || engine_ == other.engine_) return *this;
    dropEngine(engine_);
    engine_ = other.engine_;
    if (engine_) engine_->AddRef();
    return *this;
}

void CWXLog::FlushBuf() {
    onEngine(engine_, [](cLogEngine& e) { e.FlushBuf(); });
}

void CWXLog::GetFile(CWXString& fileName) const {
    onEngine(engine_, [&](cLogEngine& e) { fileName.Assign(e.GetFile().c_str()); });
}

unsigned short CWXLog::GetLevel() const {
    unsigned short level = 0;
    onEngine(engine_, [&](cLogEngine& e) { level = e.GetLevel(); });
    return level;
}

unsigned long CWXLog::GetOptions() const {
    unsigned long options = 0;
    onEngine(engine_, [&](cLogEngine& e) { options = e.GetOptions(); });
    return options;
}

void CWXLog::SetBufLen(unsigned long length) {
    onEngine(engine_, [&](cLogEngine& e) { e.SetBufLen(length); });
}

void CWXLog::SetFile(const char* fileName) {
    onEngine(engine_, [&](cLogEngine& e) { e.SetFile(fileName ? fileName : ""); });
}

void CWXLog::SetLevel(unsigned short level) {
    onEngine(engine_, [&](cLogEngine& e) { e.SetLevel(level); });
}

void CWXLog::SetLineLimits(unsigned long linesToKeep, unsigned long linesToTrim) {
    onEngine(engine_, [&](cLogEngine& e) { setLineLimits(e, linesToKeep, linesToTrim); });
}

void CWXLog::SetMsgFile(const char* fileName) {
    onEngine(engine_, [&](cLogEngine& e) { e.SetMsgFile(fileName ? fileName : ""); });
}

void CWXLog::SetOptions(unsigned long options) {
    onEngine(engine_, [&](cLogEngine& e) { e.SetOptions(options); });
}

namespace {

std::string parameterText(unsigned long value) { return parameterNumberText(value); }
std::string parameterText(const char* text) { return text ? text : ""; }

template <typename Name, typename Value>
void setLocal(cLogEngine* engine, Name name, Value value) {
    onEngine(engine, [&](cLogEngine& e) { e.SetLocalParam(parameterText(name), parameterText(value)); });
}

template <typename Name, typename Value>
void setGlobal(cLogEngine* engine, Name name, Value value) {
    onEngine(engine, [&](cLogEngine& e) { e.SetGlobalParam(parameterText(name), parameterText(value)); });
}

template <typename P1, typename P2>
int writeWith(cLogEngine* engine, unsigned short id, P1 p1, P2 p2) {
    onEngine(engine, [&](cLogEngine& e) {
        e.SetLocalParam("1", parameterText(p1));
        e.SetLocalParam("2", parameterText(p2));
        e.Write(id);
    });
    return 1;
}

template <typename P1>
int writeWith(cLogEngine* engine, unsigned short id, P1 p1) {
    onEngine(engine, [&](cLogEngine& e) {
        e.SetLocalParam("1", parameterText(p1));
        e.Write(id);
    });
    return 1;
}

}  // namespace

void CWXLog::SetLocalParam(unsigned long number, unsigned long value) { setLocal(engine_, number, value); }
void CWXLog::SetLocalParam(unsigned long number, const char* text) { setLocal(engine_, number, text); }
void CWXLog::SetLocalParam(const char* name, const char* text) { setLocal(engine_, name, text); }
void CWXLog::SetLocalParam(const char* name, unsigned long value) { setLocal(engine_, name, value); }
void CWXLog::SetGlobalParam(unsigned long number, unsigned long value) { setGlobal(engine_, number, value); }
void CWXLog::SetGlobalParam(unsigned long number, const char* text) { setGlobal(engine_, number, text); }
void CWXLog::SetGlobalParam(const char* name, const char* text) { setGlobal(engine_, name, text); }
void CWXLog::SetGlobalParam(const char* name, unsigned long value) { setGlobal(engine_, name, value); }

int CWXLog::Write(unsigned short id) {
    onEngine(engine_, [&](cLogEngine& e) { e.Write(id); });
    return 1;
}

int CWXLog::Write(unsigned short id, unsigned long p1) { return writeWith(engine_, id, p1); }
int CWXLog::Write(unsigned short id, const char* p1) { return writeWith(engine_, id, p1); }
int CWXLog::Write(unsigned short id, unsigned long p1, unsigned long p2) { return writeWith(engine_, id, p1, p2); }
int CWXLog::Write(unsigned short id, unsigned long p1, const char* p2) { return writeWith(engine_, id, p1, p2); }
int CWXLog::Write(unsigned short id, const char* p1, unsigned long p2) { return writeWith(engine_, id, p1, p2); }
int CWXLog::Write(unsigned short id, const char* p1, const char* p2) { return writeWith(engine_, id, p1, p2); }

int CWXLog::WriteHex(const char* data, long length) {
    int result = 0;
    onEngine(engine_, [&](cLogEngine& e) { result = e.WriteHex(data, length); });
    return result;
}
