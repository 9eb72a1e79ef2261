// What the test applications share: alerts to standard error, scripts from "PScripts\", the first script run.
#pragma once

#include <cstdio>
#include <string>

#include "OMApp.h"
#include "OMIStreamFile.h"
#include "YThread.h"

inline int alertToStandardError(const char* text, unsigned, const char*) {
    std::fprintf(stderr, "alert: %s\n", text);
    std::fflush(stderr);
    return 1;
}

inline OMIStream* scriptStreamResolver(const char* name) {
    const std::string path = std::string("PScripts\\") + name;
    return new OMIStreamFile(path.c_str(), kStreamWhole, nullptr);
}

inline void runFirstScript(const std::string& name) {
    auto* thread = new YThread(name.c_str(), scriptStreamResolver);
    if (thread->loaded) {
        thread->running = 1;
        if (thread->onStarted) thread->onStarted->invoke();
    }
    theApp->runMessageLoop();
    delete thread;
}
