// The stand-in application of the engine's tests.
#include "AppStandIn.h"

#include "AppBindings.h"
#include "AppEvents.h"
#include "AppGlobals.h"
#include "EngineMessageBox.h"
#include "Timer.h"
#include "UtilString.h"

namespace standin {

namespace {

bool logged(UINT message) {
    return (message >= 10000 && message <= 10012) || message == WM_DESTROY || message == WM_PALETTECHANGED ||
           message == WM_QUERYNEWPALETTE;
}

void write(const std::string& line, UINT message, WPARAM wParam) {
    log.push_back(line);
    if (script.onMessage) script.onMessage(message, wParam);
}

int logBox(const char* text, const char* caption, unsigned style) {
    log.push_back("box " + EngineMessageBoxLine(text, caption, style));
    return script.boxAnswer;
}

}  // namespace

template <int N>
LRESULT CALLBACK module(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (logged(message)) {
        write("m" + std::to_string(N) + " " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                  moduleName(lParam),
              message, wParam);
    }
    if (message == kAppMayEnd && script.refuseEnd[N]) return 0;
    return AppDefWindowProc(window, message, wParam, lParam);
}

template LRESULT CALLBACK module<1>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK module<2>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK module<3>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK module<4>(HWND, UINT, WPARAM, LPARAM);

std::string moduleName(LPARAM value) {
    const AppModuleProc modules[] = {module<1>, module<2>, module<3>, module<4>};
    for (int i = 0; i < 4; ++i)
        if (reinterpret_cast<LPARAM>(modules[i]) == value) return "m" + std::to_string(i + 1);
    return value ? std::to_string(value) : "-";
}

}  // namespace standin

std::int32_t AppConfigCallback(std::int16_t query, void* data) {
    using standin::script;
    switch (query) {
    case kAppQueryProductName:
        UtilStrCopy(static_cast<char*>(data), "Tottlewick", kAppTextSize);
        return 0;
    case kAppQueryRequirements: {
        if (script.requirementAnswers.empty()) return 0;
        const std::int32_t answer = script.requirementAnswers.front();
        script.requirementAnswers.erase(script.requirementAnswers.begin());
        standin::log.push_back("requirements " + std::to_string(answer));
        return answer;
    }
    case kAppQueryWindowMode:
        return 1;
    case kAppQueryFolders:
        for (char* folder : {static_cast<char*>(data), AppGetLocalResourceFolder(), AppGetDiscResourceFolder()})
            UtilStrCopy(folder, script.applicationFolder.c_str(), MAX_PATH);
        return 0;
    default:
        return 0;
    }
}

LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (standin::logged(message))
        standin::write(std::to_string(message) + " " + std::to_string(wParam), message, wParam);
    if (const AppModuleProc module = AppGetModule()) return module(window, message, wParam, lParam);
    return AppDefWindowProc(window, message, wParam, lParam);
}

void AppTest::SetUp() {
    standin::script = standin::Script{};
    standin::log.clear();
    standin::now = 1000;
    AppInitGlobals(GetModuleHandleA(nullptr));
    AppClearPostedEvents();
    AppArmShutdown();
    ClockSetSource([] { return standin::now; });
    EngineSetMessageBoxHook(standin::logBox);
    TimerInit();
}

HWND AppTest::makeWindow(WNDPROC procedure, DWORD style, int width, int height, DWORD extra) {
    const std::string name = "AppTest" + std::to_string(reinterpret_cast<std::uintptr_t>(procedure));
    WNDCLASSA type{};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = name.c_str();
    RegisterClassA(&type);
    window = CreateWindowExA(extra, name.c_str(), "", style, 0, 0, width, height, nullptr, nullptr, type.hInstance,
                             nullptr);
    return window;
}

void AppTest::TearDown() {
    if (window) DestroyWindow(window);
    standin::script = standin::Script{};
    AppSetModule(nullptr, nullptr, 0);
    AppClearPostedEvents();
    EngineSetMessageBoxHook(nullptr);
    ClockSetSource(nullptr);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) continue;
}
