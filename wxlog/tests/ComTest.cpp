// The automation object as its clients use it: registered by regsvr32 and driven from VBScript under
// cscript, and created through DllGetClassObject by a C++ client.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <regex>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "TempFolder.h"
#include "wxlog32.h"

namespace {

const char kMessages[] = "0001 Started\r\n1001 Opening &1 for &user\r\n";

std::string libraryPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("WXLOG32.dll"), path, MAX_PATH);
    return path;
}

template <typename Function>
Function libraryEntry(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("WXLOG32.dll"), name)));
}

std::wstring widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string trimmedText(const std::string& line) {
    std::string text = line.substr(43);
    return text.erase(text.find_last_not_of(' ') + 1);
}

TEST(ComScript, VBScriptLogsThroughTheRegisteredObject) {
    TempFolder folder;
    ChildResult registration = runChild("regsvr32 /s \"" + libraryPath() + "\"");
    ASSERT_TRUE(registration.started);
    ASSERT_EQ(registration.exitCode, 0u) << registration.output;

    writeWholeFile(folder.file("com.msg"), kMessages);
    writeWholeFile(folder.file("test.vbs"),
                   "Set logger = CreateObject(\"Dunmoth.Logging\")\r\n"
                   "logger.File = \"" + folder.file("com.log") + "\"\r\n"
                   "logger.MessageFile = \"" + folder.file("com.msg") + "\"\r\n"
                   "logger.Level = 3\r\n"
                   "logger.GlobalParameter(\"user\") = \"Ann\"\r\n"
                   "logger.LocalParameter(\"1\") = \"disk\"\r\n"
                   "written = logger.Write(1001)\r\n"
                   "logger.FlushBuffer\r\n"
                   "WScript.Echo \"written=\" & written & \" local=[\" & logger.LocalParameter(\"1\") & \"]\" & _\r\n"
                   "  \" level=\" & logger.Level & \" buffer=\" & logger.BufferLength & \" max=\" & logger.MaxLines\r\n");
    ChildResult script = runChild("cscript //nologo test.vbs", folder.path());
    ASSERT_TRUE(script.started);
    EXPECT_EQ(script.exitCode, 0u) << script.output;
    EXPECT_NE(script.output.find("written=True local=[] level=3 buffer=1230 max=-1"), std::string::npos)
        << "cscript wrote: " << script.output;

    std::vector<std::string> lines = splitLines(readWholeFile(folder.file("com.log")));
    ASSERT_EQ(lines.size(), 1u);
    std::regex stamp(R"(\d\d [A-Z][a-z]{2} \d\d [ 1]\d:\d\d:\d\d\.\d [AP]M \[\d{4}\.\d\d\] )");
    EXPECT_TRUE(std::regex_match(lines[0].substr(0, 34), stamp)) << lines[0];
    std::string text = "Opening disk for Ann";
    EXPECT_EQ(lines[0].substr(34), "1,1001 | " + text + std::string(80 - text.size(), ' '));
}

// A dispatch client over the object's type information.
class Dispatcher {
public:
    explicit Dispatcher(IDispatch* object) : object_(object) {}

    DISPID id(const wchar_t* name) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        return id;
    }
    // Arguments in call order.
    VARIANT call(const wchar_t* name, WORD flags, std::vector<VARIANT> args) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        VARIANT result;
        VariantInit(&result);
        HRESULT hr = object_->Invoke(id(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                                     nullptr, nullptr);
        EXPECT_EQ(hr, S_OK) << "invoking member";
        return result;
    }

private:
    IDispatch* object_;
};

VARIANT text(const wchar_t* value) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    return v;
}

VARIANT number(long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

class ComClient : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        getClassObject = libraryEntry<GetClassObject>("DllGetClassObject");
        canUnloadNow = libraryEntry<CanUnloadNow>("DllCanUnloadNow");
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnloadNow, nullptr);
        ASSERT_EQ(CLSIDFromString(L"{5B3E7A21-4C90-11CF-9D2E-6A1F0C3B7E55}", &clsid), S_OK);
        ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    }
    void TearDown() override {
        if (factory) factory->Release();
        CoUninitialize();
    }

    IDispatch* create() {
        IDispatch* object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
        return object;
    }

    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(WINAPI*)();
    GetClassObject getClassObject = nullptr;
    CanUnloadNow canUnloadNow = nullptr;
    CLSID clsid{};
    IClassFactory* factory = nullptr;
};

TEST_F(ComClient, MembersHaveTheirDispatchIds) {
    IDispatch* object = create();
    ASSERT_NE(object, nullptr);
    Dispatcher log(object);
    const wchar_t* names[] = {L"Level",    L"MessageFile", L"Options",  L"BufferLength",
                              L"File",     L"MaxLines",    L"MinLines", L"FlushBuffer",
                              L"Write",    L"WriteHex",    L"LocalParameter", L"GlobalParameter"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(log.id(names[i]), i + 1) << "member " << i + 1;
    object->Release();
}

TEST_F(ComClient, LibraryStaysLoadedWhileAnObjectOrLockLives) {
    EXPECT_EQ(canUnloadNow(), S_OK);
    IDispatch* object = create();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    object->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ComClient, UnknownClassIsRefused) {
    void* other = nullptr;
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &other), CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(ComClient, HexDumpStopsAtTheEndOfTheString) {
    TempFolder folder;
    writeWholeFile(folder.file("com.msg"), kMessages);
    std::wstring logName = widened(folder.file("com.log"));
    std::wstring msgName = widened(folder.file("com.msg"));
    IDispatch* object = create();
    ASSERT_NE(object, nullptr);
    Dispatcher log(object);
    log.call(L"File", DISPATCH_PROPERTYPUT, {text(logName.c_str())});
    log.call(L"MessageFile", DISPATCH_PROPERTYPUT, {text(msgName.c_str())});
    log.call(L"Level", DISPATCH_PROPERTYPUT, {number(1)});
    VARIANT written = log.call(L"Write", DISPATCH_METHOD, {number(1)});
    EXPECT_EQ(written.vt, VT_BOOL);
    EXPECT_EQ(written.boolVal, VARIANT_TRUE);
    VARIANT dumped = log.call(L"WriteHex", DISPATCH_METHOD, {text(L"abc"), number(100000)});
    EXPECT_EQ(dumped.boolVal, VARIANT_TRUE);
    log.call(L"WriteHex", DISPATCH_METHOD, {text(L"abc"), number(2)});
    log.call(L"FlushBuffer", DISPATCH_METHOD, {});
    object->Release();
    std::vector<std::string> lines = splitLines(readWholeFile(folder.file("com.log")));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(trimmedText(lines[1]), "  000000: abc              616263");
    EXPECT_EQ(trimmedText(lines[2]), "  000000: ab               6162");
}

TEST_F(ComClient, MaxLinesBelowMinLinesIsAcceptedUnchanged) {
    IDispatch* object = create();
    Dispatcher log(object);
    log.call(L"MaxLines", DISPATCH_PROPERTYPUT, {number(10)});
    log.call(L"MinLines", DISPATCH_PROPERTYPUT, {number(50)});
    EXPECT_EQ(log.call(L"MaxLines", DISPATCH_PROPERTYGET, {}).lVal, 10);
    EXPECT_EQ(log.call(L"MinLines", DISPATCH_PROPERTYGET, {}).lVal, 50);
    object->Release();
}

// HKEY_CLASSES_ROOT is redirected to a volatile key, under which no lasting key can be made.
TEST(ComRegistration, FailsWhenTheRegistryCannotBeWritten) {
    auto registerServer = libraryEntry<HRESULT(WINAPI*)()>("DllRegisterServer");
    ASSERT_NE(registerServer, nullptr);
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\WXLogVolatileTest", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, volatileKey), ERROR_SUCCESS);
    HRESULT hr = registerServer();
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(volatileKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\WXLogVolatileTest");
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(registerServer(), S_OK);
}

}  // namespace
