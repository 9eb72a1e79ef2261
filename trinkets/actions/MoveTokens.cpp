// Reading a move's tokens by the factory's rules; a variable that holds no animation or no trinket counts
// as no object.
#include "MoveTokens.h"

#include "ActionFactory.h"
#include "OMTrinket.h"
#include "RAnimation.h"

MoveTokens::MoveTokens(std::size_t required) : tokens_(popTokens(required + 1)) {
    animation = dynamic_cast<RAnimation*>(tokenObject(tokens_[0]));
    trinket = dynamic_cast<OMTrinket*>(tokenObject(tokens_[1]));
    complete = tokenRun(tokens_) >= required;
}

std::int32_t MoveTokens::number(std::size_t i) const { return tokenNumber(tokens_[i]); }

std::int32_t MoveTokens::interruptible(std::int32_t defaultInterruptible) const {
    const std::string& last = tokens_.back();
    return last.empty() ? defaultInterruptible : tokenNumber(last);
}
