// The splash-screen chooser.
#include "SplashChooser.h"

#include <ctime>

#include "DssTrace.h"
#include "cDSSFile.h"

long localToday() {
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return 0;
    return packDate(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

void SplashChooser::purge() {
    std::vector<std::string> doomed;
    cDSSInfo record;
    for (const std::string& id : store_.ssids()) {
        if (store_.loadRecord(id, record) && !cDSSFile::exists(record.imageName) && record.notRetrievingImage == 0) {
            doomed.push_back(id);
        }
    }
    for (const std::string& id : doomed) store_.removeSplashScreen(id);
}

bool SplashChooser::viewsLeft(const cDSSInfo& record) const {
    int index = findName(record.showApps, store_.application());
    std::vector<std::uint32_t> views;
    return index >= 0 && store_.readNumViews(record.id, record.showApps.size(), views) &&
           views[static_cast<std::size_t>(index)] < record.maxViews;
}

bool SplashChooser::eligible(const cDSSInfo& record, long today, const std::string& partialDownload) {
    if (record.neverDisplay != 0) {
        dssTrace("* Failing never-display-this-one check\n");
        return false;
    }
    if (findName(record.showApps, store_.application()) < 0) {
        dssTrace("* Failing showlist check\n");
        return false;
    }
    if (today < record.startDate || today > record.stopDate) {
        dssTrace("* Failing date check\n");
        return false;
    }
    for (const std::string& app : store_.appList()) {
        if (findName(record.skipApps, app) >= 0) {
            store_.markNeverDisplay(record.id);
            dssTrace("* Failing skiplist check\n");
            return false;
        }
    }
    if (!viewsLeft(record)) {
        dssTrace("* Failing maxViews check\n");
        return false;
    }
    if (record.version > store_.dssVersion()) {
        dssTrace("* Failing DSS version check\n");
        return false;
    }
    if (record.id == partialDownload || record.nextPiece < record.numPieces) {
        dssTrace("* Failing still-downloading check\n");
        return false;
    }
    return true;
}

bool SplashChooser::chooseSplashScreen(cDSSInfo& record, long today) {
    purge();
    if (store_.getActive() == 0 || store_.ssids().empty()) {
        dssTrace("* DSS is disabled (or nothing installed).  Looking for default DSS.\n");
        return useDefault(record);
    }
    const std::string partialDownload = store_.readPartialDownload();
    const std::vector<std::string>& seen = store_.recentlySeen();
    dssTrace("* Choosing a DSS candidate...\n");
    int best = -1;
    int bestPosition = static_cast<int>(seen.size()) + 1;
    const std::vector<std::string>& ids = store_.ssids();
    for (std::size_t index = 0; index < ids.size(); ++index) {
        if (!store_.loadRecord(ids[index], record) || !eligible(record, today, partialDownload)) continue;
        int position = findName(seen, ids[index]);
        if (position < 0) {
            dssTrace("** Never-seen DSS - taking it!\n");
            best = static_cast<int>(index);
            break;
        }
        if (position < bestPosition) {
            dssTrace("* Older DSS (pos %d vs. %d)\n", position, bestPosition);
            best = static_cast<int>(index);
            bestPosition = position;
        }
    }
    if (best >= 0 && store_.loadRecord(ids[static_cast<std::size_t>(best)], record)) {
        dssTrace("* == All done looking, returning index %d ==\n", best);
        return true;
    }
    dssTrace("* == All done looking, no matches!  Looking for default DSS.\n");
    return useDefault(record);
}

bool SplashChooser::chooseLastSplashScreen(cDSSInfo& record) {
    std::string id;
    if (store_.getActive() != 0 && store_.getLastSeen(id) && store_.loadRecord(id, record)) return true;
    dssTrace("* No MRU found, or DSS is disabled.  Looking for default DSS.\n");
    return useDefault(record);
}

bool SplashChooser::useDefault(cDSSInfo& record) {
    bool found = store_.loadDefault(record);
    dssTrace(found ? "* -- Default found.\n" : "* -- No default for this app!\n");
    return found;
}

void SplashChooser::recordView(const cDSSInfo& record) {
    if (record.isDefault != 0 || record.id.empty()) return;
    std::vector<std::string>& seen = store_.recentlySeenList();
    int position = findName(seen, record.id);
    if (position >= 0) seen.erase(seen.begin() + position);
    seen.push_back(record.id);
    store_.writeRecentlySeen();
    store_.writeLastSeen(record.id);
    if (!store_.writeMaxViews(record.id, record.maxViews)) return;
    int index = findName(record.showApps, store_.application());
    std::vector<std::uint32_t> views;
    if (index >= 0 && store_.readNumViews(record.id, record.showApps.size(), views)) {
        ++views[static_cast<std::size_t>(index)];
        store_.writeNumViews(record.id, views);
    }
}
