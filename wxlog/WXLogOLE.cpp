// The automation object: IWXLog served through its type library, over an engine of its own.
#include "WXLogOLE.h"

#include <oleauto.h>

#include <string>

#include "ExportGuard.h"
#include "LogEngine.h"
#include "WXLog_h.h"

namespace {

HMODULE gModule = nullptr;
LONG gServerLocks = 0;  // live objects plus LockServer(TRUE) calls

void lockServer() { InterlockedIncrement(&gServerLocks); }
void unlockServer() { InterlockedDecrement(&gServerLocks); }

std::string toAnsi(BSTR text) {
    int wide = static_cast<int>(SysStringLen(text));
    if (wide == 0) return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wide, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

HRESULT toBstr(const std::string& ansi, BSTR* result) {
    if (!result) return E_POINTER;
    int length = static_cast<int>(ansi.size());
    int wide = length ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0) : 0;
    *result = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (!*result) return E_OUTOFMEMORY;
    if (wide) MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, *result, wide);
    return S_OK;
}

HRESULT putLong(long* result, long value) {
    if (!result) return E_POINTER;
    *result = value;
    return S_OK;
}

HRESULT putBool(VARIANT_BOOL* result, bool value) {
    if (!result) return E_POINTER;
    *result = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

template <typename Body>
HRESULT guarded(Body&& body) noexcept {
    return guardedCall(static_cast<HRESULT>(E_OUTOFMEMORY), body);
}

class WXLogAutomation final : public IWXLog {
public:
    WXLogAutomation() { lockServer(); }
    ~WXLogAutomation() {
        if (typeInfo_) typeInfo_->Release();
        unlockServer();
    }

    HRESULT loadTypeInfo() {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(wxlogModule(), path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return E_FAIL;
        ITypeLib* library = nullptr;
        HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
        if (FAILED(hr)) return hr;
        hr = library->GetTypeInfoOfGuid(IID_IWXLog, &typeInfo_);
        library->Release();
        return hr;
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWXLog)) {
            *object = static_cast<IWXLog*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch, served by the type information.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        typeInfo_->AddRef();
        *info = typeInfo_;
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispGetIDsOfNames(typeInfo_, names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return DispInvoke(static_cast<IWXLog*>(this), typeInfo_, id, flags, params, result, exception,
                          argError);
    }

    // IWXLog
    STDMETHODIMP get_Level(long* value) override {
        return guarded([&] { return putLong(value, engine_.GetLevel()); });
    }
    STDMETHODIMP put_Level(long value) override {
        setLevelInRange(engine_, value);
        return S_OK;
    }
    STDMETHODIMP get_MessageFile(BSTR* value) override {
        return guarded([&] { return toBstr(engine_.GetMsgFile(), value); });
    }
    STDMETHODIMP put_MessageFile(BSTR value) override {
        return guarded([&] { engine_.SetMsgFile(toAnsi(value)); return S_OK; });
    }
    STDMETHODIMP get_Options(long* value) override {
        return putLong(value, static_cast<long>(engine_.GetOptions()));
    }
    STDMETHODIMP put_Options(long value) override {
        engine_.SetOptions(static_cast<std::uint32_t>(value));
        return S_OK;
    }
    STDMETHODIMP get_BufferLength(long* value) override {
        return putLong(value, static_cast<long>(engine_.GetBufLen()));
    }
    STDMETHODIMP put_BufferLength(long value) override {
        return guarded([&] { engine_.SetBufLen(static_cast<std::uint32_t>(value)); return S_OK; });
    }
    STDMETHODIMP get_File(BSTR* value) override {
        return guarded([&] { return toBstr(engine_.GetFile(), value); });
    }
    STDMETHODIMP put_File(BSTR value) override {
        return guarded([&] { engine_.SetFile(toAnsi(value)); return S_OK; });
    }
    STDMETHODIMP get_MaxLines(long* value) override {
        return putLong(value, static_cast<long>(engine_.GetMaxLines()));
    }
    STDMETHODIMP put_MaxLines(long value) override {
        engine_.SetMaxLines(static_cast<std::uint32_t>(value));
        return S_OK;
    }
    STDMETHODIMP get_MinLines(long* value) override {
        return putLong(value, static_cast<long>(engine_.GetMinLines()));
    }
    STDMETHODIMP put_MinLines(long value) override {
        engine_.SetMinLines(static_cast<std::uint32_t>(value));
        return S_OK;
    }
    STDMETHODIMP FlushBuffer() override {
        return guarded([&] { engine_.FlushBuf(); return S_OK; });
    }
    STDMETHODIMP Write(long id, VARIANT_BOOL* written) override {
        return guarded([&] { return putBool(written, engine_.Write(static_cast<std::uint16_t>(id)) != 0); });
    }
    // The dump never reaches past the end of the string, whatever length the caller gives.
    STDMETHODIMP WriteHex(BSTR data, long length, VARIANT_BOOL* written) override {
        return guarded([&] {
            std::string bytes = toAnsi(data);
            long available = static_cast<long>(bytes.size());
            return putBool(written, engine_.WriteHex(bytes.data(), length < available ? length : available) != 0);
        });
    }
    STDMETHODIMP get_LocalParameter(BSTR name, BSTR* value) override {
        return guarded([&] { return toBstr(engine_.GetLocalParam(toAnsi(name)).value_or(""), value); });
    }
    STDMETHODIMP put_LocalParameter(BSTR name, BSTR value) override {
        return guarded([&] { engine_.SetLocalParam(toAnsi(name), toAnsi(value)); return S_OK; });
    }
    STDMETHODIMP get_GlobalParameter(BSTR name, BSTR* value) override {
        return guarded([&] { return toBstr(engine_.GetGlobalParam(toAnsi(name)).value_or(""), value); });
    }
    STDMETHODIMP put_GlobalParameter(BSTR name, BSTR value) override {
        return guarded([&] { engine_.SetGlobalParam(toAnsi(name), toAnsi(value)); return S_OK; });
    }

private:
    LONG refs_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
    cLogEngine engine_;
};

class WXLogClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static; its lifetime is the library's.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        WXLogAutomation* log = nullptr;
        try {
            log = new WXLogAutomation();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        HRESULT hr = log->loadTypeInfo();
        if (SUCCEEDED(hr)) hr = log->QueryInterface(iid, object);
        log->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            lockServer();
        else
            unlockServer();
        return S_OK;
    }
};

}  // namespace

void setWXLogModule(HMODULE module) { gModule = module; }

HMODULE wxlogModule() { return gModule; }

HRESULT getWXLogClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_WXLog)) return CLASS_E_CLASSNOTAVAILABLE;
    static WXLogClassFactory factory;
    return factory.QueryInterface(iid, object);
}

bool wxlogServerInUse() { return InterlockedCompareExchange(&gServerLocks, 0, 0) != 0; }
