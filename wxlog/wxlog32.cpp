// WXLOG32.dll: DllMain, the flat functions and the COM entry points.
#include <windows.h>
#include <olectl.h>

#include "ExportGuard.h"
#include "LogEngine.h"
#include "WXLogOLE.h"
#include "wxlog32.h"

namespace {

// The handle is the engine's address; anything that is not writable memory of that size is refused.
cLogEngine* engineOf(WXLOG_HANDLE log) {
    if (IsBadWritePtr(log, sizeof(cLogEngine))) return nullptr;
    return static_cast<cLogEngine*>(log);
}

template <typename Body>
int onLog(WXLOG_HANDLE log, Body&& body) noexcept {
    cLogEngine* engine = engineOf(log);
    if (!engine) return 0;
    return guardedCall(0, [&] { return body(*engine); });
}

std::string textOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        setWXLogModule(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" {

WXLOG_HANDLE WXLOG_Start(const char* logFile, const char* msgFile, int level) {
    cLogEngine* engine = new (std::nothrow) cLogEngine();
    if (!engine) return nullptr;
    bool ready = guardedCall(false, [&] {
        if (logFile) engine->SetFile(logFile);
        if (msgFile) engine->SetMsgFile(msgFile);
        setLevelInRange(*engine, level);
        return true;
    });
    if (!ready) {
        delete engine;
        return nullptr;
    }
    return engine;
}

int WXLOG_End(WXLOG_HANDLE log) {
    return onLog(log, [](cLogEngine& e) {
        delete &e;
        return 1;
    });
}

int WXLOG_SetLevel(WXLOG_HANDLE log, int level) {
    return onLog(log, [&](cLogEngine& e) { return setLevelInRange(e, level); });
}

int WXLOG_SetLineLimit(WXLOG_HANDLE log, unsigned long linesToKeep, unsigned long linesToTrim) {
    return onLog(log, [&](cLogEngine& e) {
        setLineLimits(e, linesToKeep, linesToTrim);
        return 1;
    });
}

int WXLOG_SetLogFile(WXLOG_HANDLE log, const char* fileName) {
    return onLog(log, [&](cLogEngine& e) {
        e.SetFile(textOrEmpty(fileName));
        return 1;
    });
}

int WXLOG_SetMsgFile(WXLOG_HANDLE log, const char* fileName) {
    return onLog(log, [&](cLogEngine& e) {
        e.SetMsgFile(textOrEmpty(fileName));
        return 1;
    });
}

int WXLOG_Write(WXLOG_HANDLE log, unsigned short id) {
    return onLog(log, [&](cLogEngine& e) { return e.Write(id); });
}

int WXLOG_Write1(WXLOG_HANDLE log, unsigned short id, const char* p1) {
    return onLog(log, [&](cLogEngine& e) {
        e.SetLocalParam("1", textOrEmpty(p1));
        return e.Write(id);
    });
}

int WXLOG_Write2(WXLOG_HANDLE log, unsigned short id, const char* p1, const char* p2) {
    return onLog(log, [&](cLogEngine& e) {
        e.SetLocalParam("1", textOrEmpty(p1));
        e.SetLocalParam("2", textOrEmpty(p2));
        return e.Write(id);
    });
}

int WXLOG_WriteHex(WXLOG_HANDLE log, int length, const char* data) {
    return onLog(log, [&](cLogEngine& e) { return e.WriteHex(data, length); });
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return getWXLogClassObject(clsid, iid, object);
}

HRESULT WINAPI DllCanUnloadNow() { return wxlogServerInUse() ? S_FALSE : S_OK; }

HRESULT WINAPI DllRegisterServer() { return registerWXLogServer(); }

}  // extern "C"
