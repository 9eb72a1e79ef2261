// The three faces of WXLOG32.dll as their clients use them: the flat functions and the exported class
// CWXLog from a linked client, and the automation object registered by regsvr32 and driven from VBScript
// under cscript, and created through DllGetClassObject by a C++ dispatch client.
#include <windows.h>
#include <oleauto.h>

#include <regex>

#include "ChildProcess.h"
#include "LogFixture.h"
#include "wxlog32.h"

namespace {

const char kMessages[] =
    "0001 Started\r\n"
    "1001 Lesson &1\r\n"
    "1002 &1 scored &2\r\n"
    "5000 Detail\r\n";

using Results = std::vector<int>;

struct ClientTest : ::testing::Test {
    void SetUp() override { writeWholeFile(msgName(), kMessages); }
    std::string msgName() const { return folder.file("client.msg"); }
    std::string logName() const { return folder.file("client.log"); }
    Texts logTexts() const { return readLogTexts(logName()); }
    TempFolder folder;
};

// The log is read only after WXLOG_End: ending flushes.
TEST_F(ClientTest, FlatFunctionsWriteTheLog) {
    WXLOG_HANDLE log = WXLOG_Start(nullptr, nullptr, 3);
    ASSERT_NE(log, nullptr);
    // The first write has no messages yet; 5000 is above level 3; the dump without data and level 7 fail.
    EXPECT_EQ((Results{WXLOG_Write(log, 1), WXLOG_SetMsgFile(log, msgName().c_str()),
                       WXLOG_SetLogFile(log, logName().c_str()), WXLOG_Write(log, 1), WXLOG_Write1(log, 1001, "seven"),
                       WXLOG_Write2(log, 1002, "Ann", "9"), WXLOG_Write(log, 5000), WXLOG_Write1(log, 5000, "dropped"),
                       WXLOG_Write(log, 1001), WXLOG_WriteHex(log, 10, nullptr), WXLOG_WriteHex(log, 3, "abc"),
                       WXLOG_SetLevel(log, 7), WXLOG_SetLevel(log, 0), WXLOG_Write(log, 1),
                       WXLOG_SetLineLimit(log, 500, 400), WXLOG_End(log)}),
              (Results{0, 1, 1, 1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(logTexts(),
              (Texts{"Started", "Lesson seven", "Ann scored 9", "Lesson &1", "  000000: abc              616263"}));
}

TEST_F(ClientTest, FlatFunctionsRefuseBadHandles) {
    void* readOnly = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY);
    ASSERT_NE(readOnly, nullptr);
    for (WXLOG_HANDLE bad : {static_cast<WXLOG_HANDLE>(nullptr), readOnly}) {
        EXPECT_EQ((Results{WXLOG_Write(bad, 1), WXLOG_Write1(bad, 1, "x"), WXLOG_Write2(bad, 1, "x", "y"),
                           WXLOG_WriteHex(bad, 1, "x"), WXLOG_SetLevel(bad, 1), WXLOG_SetLineLimit(bad, 1, 2),
                           WXLOG_SetLogFile(bad, "x"), WXLOG_SetMsgFile(bad, "x"), WXLOG_End(bad)}),
                  Results(9, 0));
    }
    VirtualFree(readOnly, 0, MEM_RELEASE);
}

TEST_F(ClientTest, ClassCopiesShareOneEngine) {
    CWXLog first;
    EXPECT_EQ(first.GetOptions(), 6u);
    first.SetMsgFile(msgName().c_str());
    first.SetFile(logName().c_str());
    first.SetLevel(1);
    first.SetBufLen(5000);
    first.SetLineLimits(10, 20);
    CWXString name;
    first.GetFile(name);
    EXPECT_EQ(std::string(name.GetText()), logName());
    {
        CWXLog second;
        second = first;
        CWXLog third(second);
        EXPECT_EQ(third.GetLevel(), 1);
        third.SetLocalParam(1UL, "shared");
        EXPECT_EQ(second.Write(1001), 1);
    }
    first.SetGlobalParam("2", 12UL);
    // A local parameter goes before a global one; a filtered Write gives 1 all the same but allows no dump
    // after it; the global parameter outlives a Write.
    EXPECT_EQ((Results{first.Write(1002, 3UL, "four"), first.Write(5000), first.WriteHex("ab", 2),
                       first.Write(1002, "x"), first.WriteHex("ab", 2)}),
              (Results{1, 1, 0, 1, 1}));
    first.SetOptions(0);
    first.Write(1);
    EXPECT_EQ(logTexts(),
              (Texts{"Lesson shared", "3 scored four", "x scored 12", "  000000: ab               6162", "Started"}));
}

TEST_F(ClientTest, VBScriptLogsThroughTheRegisteredObject) {
    char library[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("WXLOG32.dll"), library, MAX_PATH);
    ChildResult registration = runChild("regsvr32 /s \"" + std::string(library) + "\"");
    ASSERT_EQ(std::make_pair(registration.started, registration.exitCode), std::make_pair(true, 0ul))
        << registration.output;
    writeWholeFile(folder.file("test.vbs"),
                   "Set logger = CreateObject(\"Dunmoth.Logging\")\r\n"
                   "logger.File = \"" + logName() + "\"\r\n"
                   "logger.MessageFile = \"" + msgName() + "\"\r\n"
                   "logger.Level = 3\r\n"
                   "logger.GlobalParameter(\"2\") = \"9\"\r\n"
                   "logger.LocalParameter(\"1\") = \"Ann\"\r\n"
                   "written = logger.Write(1002)\r\n"
                   "logger.FlushBuffer\r\n"
                   "WScript.Echo written & \" [\" & logger.LocalParameter(\"1\") & \"] \" & logger.Level & _\r\n"
                   "  \" \" & logger.BufferLength & \" \" & logger.MaxLines\r\n");
    ChildResult script = runChild("cscript //nologo test.vbs", folder.path());
    ASSERT_EQ(std::make_pair(script.started, script.exitCode), std::make_pair(true, 0ul)) << script.output;
    EXPECT_NE(script.output.find("True [] 3 1230 -1"), std::string::npos)
        << "cscript wrote: " << script.output;
    std::vector<std::string> lines = splitLines(readWholeFile(logName()));
    ASSERT_EQ(lines.size(), 1u);
    std::regex stamp(R"(\d\d [A-Z][a-z]{2} \d\d [ 1]\d:\d\d:\d\d\.\d [AP]M \[\d{4}\.\d\d\] )");
    EXPECT_TRUE(std::regex_match(lines[0].substr(0, 34), stamp)) << lines[0];
    EXPECT_EQ(lines[0].substr(34), "1,1002 | Ann scored 9" + std::string(68, ' '));
}

using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

template <typename Function>
Function libraryEntry(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("WXLOG32.dll"), name)));
}

VARIANT text(const std::string& value) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(std::wstring(value.begin(), value.end()).c_str());
    return v;
}

VARIANT number(long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// A dispatch client of one object made through DllGetClassObject, over its type information.
struct ComClient : ClientTest {
    void SetUp() override {
        ClientTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromString(L"{5B3E7A21-4C90-11CF-9D2E-6A1F0C3B7E55}", &clsid), S_OK);
        ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    }
    void TearDown() override {
        if (object) object->Release();
        if (factory) factory->Release();
        CoUninitialize();
    }
    DISPID id(const wchar_t* name) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
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
        EXPECT_EQ(object->Invoke(id(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr, nullptr),
                  S_OK);
        return result;
    }
    const GetClassObject getClassObject = libraryEntry<GetClassObject>("DllGetClassObject");
    IClassFactory* factory = nullptr;
    IDispatch* object = nullptr;
};

TEST_F(ComClient, LibraryStaysLoadedWhileAnObjectOrLockLives) {
    auto canUnloadNow = libraryEntry<HRESULT(WINAPI*)()>("DllCanUnloadNow");
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    object->Release();
    object = nullptr;
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow(), S_OK);
    void* other = nullptr;
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &other), CLASS_E_CLASSNOTAVAILABLE);
}

// Members 1 to 12 in order. A dump stops at the end of the string whatever length is asked; MaxLines
// below MinLines is kept.
TEST_F(ComClient, MethodsAndPropertiesReachTheEngine) {
    const wchar_t* names[] = {L"Level", L"MessageFile", L"Options", L"BufferLength", L"File", L"MaxLines", L"MinLines",
                              L"FlushBuffer", L"Write", L"WriteHex", L"LocalParameter", L"GlobalParameter"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(id(names[i]), i + 1) << "member " << i + 1;
    call(L"File", DISPATCH_PROPERTYPUT, {text(logName())});
    call(L"MessageFile", DISPATCH_PROPERTYPUT, {text(msgName())});
    call(L"Level", DISPATCH_PROPERTYPUT, {number(1)});
    VARIANT written = call(L"Write", DISPATCH_METHOD, {number(1)});
    EXPECT_EQ(std::make_pair(written.vt, written.boolVal),
              std::make_pair(VARTYPE{VT_BOOL}, VARIANT_BOOL{VARIANT_TRUE}));
    EXPECT_EQ(call(L"WriteHex", DISPATCH_METHOD, {text("abc"), number(100000)}).boolVal, VARIANT_TRUE);
    call(L"WriteHex", DISPATCH_METHOD, {text("abc"), number(2)});
    call(L"MaxLines", DISPATCH_PROPERTYPUT, {number(10)});
    call(L"MinLines", DISPATCH_PROPERTYPUT, {number(50)});
    EXPECT_EQ((std::vector<long>{call(L"MaxLines", DISPATCH_PROPERTYGET, {}).lVal,
                                 call(L"MinLines", DISPATCH_PROPERTYGET, {}).lVal}),
              (std::vector<long>{10, 50}));
    object->Release();
    object = nullptr;
    EXPECT_EQ(logTexts(), (Texts{"Started", "  000000: abc              616263", "  000000: ab               6162"}));
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
