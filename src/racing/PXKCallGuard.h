// Kept by a racing-game core that calls its owner back: the owner's handling may raise script events whose
// handlers end the game and so destroy the core in mid-call. `call` runs one callback and tells whether the
// core survived it; a core that did not touches none of its fields again and returns at once.
#pragma once

class PXKCallGuard {
public:
    PXKCallGuard() = default;
    PXKCallGuard(const PXKCallGuard&) = delete;
    PXKCallGuard& operator=(const PXKCallGuard&) = delete;
    ~PXKCallGuard() {
        if (destroyed_) *destroyed_ = true;
    }

    // A callback of a callback can end the core too: the outer call then hears it as well.
    template <typename Callback>
    [[nodiscard]] bool call(const Callback& callback) {
        bool destroyed = false;
        bool* const outer = destroyed_;
        destroyed_ = &destroyed;
        callback();
        if (destroyed) {
            if (outer) *outer = true;
            return false;
        }
        destroyed_ = outer;
        return true;
    }

private:
    bool* destroyed_ = nullptr;
};
