// The stand-in activity.
#include "StandInActivity.h"

StandInActivity::StandInActivity(const char* moduleName, std::uint16_t backdropXpk, std::uint16_t paletteDib,
                                 std::uint16_t pointerXpk, ActivityVoices voices)
    : Activity(moduleName, backdropXpk, paletteDib, pointerXpk) {
    introSound_ = voices.intro;
    helpSound_ = voices.help;
    idleSound_ = voices.idle;
}
