// The host interface of Glimmer.dll, the splash-screen library: plain C functions (the C calling
// convention) under undecorated names.
#pragma once

#ifdef GLIMMER_BUILDING_DLL
#define GLIMMER_API __declspec(dllexport)
#else
#define GLIMMER_API __declspec(dllimport)
#endif

extern "C" {

// Chooses and shows a splash screen for the application (at most 15 characters of its name are
// used); returns 0 once it is on screen or could not be shown.
GLIMMER_API int dssDisplaySplashScreen(char* application);
// The same with the application's most recently seen splash screen; records no view.
GLIMMER_API int dssDisplayLastSplashScreen(char* application);
// Blocks until the splash screen has closed (time-out, Esc or Space, or a hot-spot click), then
// releases it.
GLIMMER_API void dssRemoveSplashScreen(void);
// From now on a hot-spot click hands its URL back through `buffer`; `length` holds the capacity and
// receives the URL's length, -1 when it did not fit, or 0 when nothing was clicked.
GLIMMER_API void dssHandleHotspotsLocally(char* buffer, int* length);
GLIMMER_API void dssDeinitialize(void);

}  // extern "C"
