// A library for tests with the plug-in extension but without the attach entry.
extern "C" __declspec(dllexport) int notAPlugin();
int notAPlugin() { return 0; }
