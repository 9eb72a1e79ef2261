// The client interface of WXLOG32.dll: the flat functions and the exported class CWXLog.
#pragma once

#include <cstdlib>
#include <cstring>

#ifdef WXLOG32_BUILDING_DLL
#define WXLOG_API __declspec(dllexport)
#else
#define WXLOG_API __declspec(dllimport)
#endif

extern "C" {

// A log opened by WXLOG_Start; null when none could be made.
typedef void* WXLOG_HANDLE;

WXLOG_HANDLE WXLOG_Start(const char* logFile, const char* msgFile, int level);
int WXLOG_End(WXLOG_HANDLE log);
int WXLOG_SetLevel(WXLOG_HANDLE log, int level);
int WXLOG_SetLineLimit(WXLOG_HANDLE log, unsigned long linesToKeep, unsigned long linesToTrim);
int WXLOG_SetLogFile(WXLOG_HANDLE log, const char* fileName);
int WXLOG_SetMsgFile(WXLOG_HANDLE log, const char* fileName);
int WXLOG_Write(WXLOG_HANDLE log, unsigned short id);
int WXLOG_Write1(WXLOG_HANDLE log, unsigned short id, const char* p1);
int WXLOG_Write2(WXLOG_HANDLE log, unsigned short id, const char* p1, const char* p2);
int WXLOG_WriteHex(WXLOG_HANDLE log, int length, const char* data);

}  // extern "C"

// The text that CWXLog::GetFile fills. Every member is inline, so the client's module allocates and
// frees the storage with the C runtime's malloc and free.
class CWXString {
public:
    CWXString() = default;
    CWXString(const CWXString& other) { Assign(other.GetText()); }
    CWXString& operator=(const CWXString& other) {
        if (this != &other) Assign(other.GetText());
        return *this;
    }
    ~CWXString() { std::free(text_); }

    void Assign(const char* text) {
        std::size_t length = text ? std::strlen(text) : 0;
        char* copy = static_cast<char*>(std::malloc(length + 1));
        if (!copy) return;
        if (length) std::memcpy(copy, text, length);
        copy[length] = '\0';
        std::free(text_);
        text_ = copy;
    }
    const char* GetText() const { return text_ ? text_ : ""; }

private:
    char* text_ = nullptr;
};

class cLogEngine;

// A log shared by every copy of the object; the last copy to go closes it.
class WXLOG_API CWXLog {
public:
    CWXLog();
    CWXLog(const CWXLog& other);
    ~CWXLog();
    CWXLog& operator=(const CWXLog& other);

    void FlushBuf();
    void GetFile(CWXString& fileName) const;
    unsigned short GetLevel() const;
    unsigned long GetOptions() const;
    void SetBufLen(unsigned long length);
    void SetFile(const char* fileName);
    void SetLevel(unsigned short level);
    void SetLineLimits(unsigned long linesToKeep, unsigned long linesToTrim);
    void SetMsgFile(const char* fileName);
    void SetOptions(unsigned long options);

    void SetLocalParam(unsigned long number, unsigned long value);
    void SetLocalParam(unsigned long number, const char* text);
    void SetLocalParam(const char* name, const char* text);
    void SetLocalParam(const char* name, unsigned long value);
    void SetGlobalParam(unsigned long number, unsigned long value);
    void SetGlobalParam(unsigned long number, const char* text);
    void SetGlobalParam(const char* name, const char* text);
    void SetGlobalParam(const char* name, unsigned long value);

    // Every Write returns 1, whether or not the message passed the level filter.
    int Write(unsigned short id);
    int Write(unsigned short id, unsigned long p1);
    int Write(unsigned short id, const char* p1);
    int Write(unsigned short id, unsigned long p1, unsigned long p2);
    int Write(unsigned short id, unsigned long p1, const char* p2);
    int Write(unsigned short id, const char* p1, unsigned long p2);
    int Write(unsigned short id, const char* p1, const char* p2);
    int WriteHex(const char* data, long length);

private:
    cLogEngine* engine_;
};
