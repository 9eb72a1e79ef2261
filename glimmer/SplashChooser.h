// Chooses the splash screen to show for an application: the purge of records whose picture is gone,
// the series of checks with the recently-seen ranking, the most-recently-seen rule, the fallback to
// the application's Default, and the recording of a view.
#pragma once

#include <string>

#include "cDSSInfo.h"
#include "cDSSRegistry.h"

class SplashChooser {
public:
    explicit SplashChooser(cDSSRegistry& store) : store_(store) {}

    // Purges, then picks the best eligible record (or the Default). `today` is a packed date.
    [[nodiscard]] bool chooseSplashScreen(cDSSInfo& record, long today);
    // The application's most recently seen record without further checks (or the Default).
    [[nodiscard]] bool chooseLastSplashScreen(cDSSInfo& record);
    // Records that `record` was shown (nothing for a Default record).
    void recordView(const cDSSInfo& record);

    // Removes every record whose picture file is missing, unless it is still being retrieved.
    void purge();

private:
    // Applies the seven checks in order; the first that fails drops the candidate.
    [[nodiscard]] bool eligible(const cDSSInfo& record, long today, const std::string& partialDownload);
    [[nodiscard]] bool viewsLeft(const cDSSInfo& record) const;
    [[nodiscard]] bool useDefault(cDSSInfo& record);

    cDSSRegistry& store_;
};

// Today's local date, packed.
long localToday();
