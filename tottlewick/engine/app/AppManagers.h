// The start of the engine's managers in their fixed order, with a message and a teardown in reverse for
// a failure, and the orderly shutdown at the end of the run.
#pragma once

#include <cstdint>

// Sees every step of the manager start and of both teardowns by name before it runs; answering false
// makes a start step that can fail fail without running it. Tests log and inject failures with it.
using AppStepHook = bool (*)(const char* step);
AppStepHook AppSetStepHook(AppStepHook hook);

// 1 with every manager running and the application started (10004); 0 after a failure was shown and
// the managers already started were torn down.
std::int16_t AppInitManagers(std::int16_t ignored);
void AppShutdown();
