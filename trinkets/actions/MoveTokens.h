// The tokens of a move's create function: the animation and trinket variables, the numbers, and
// isInterruptible after the last required token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class OMTrinket;
class RAnimation;

class MoveTokens {
public:
    // Pops the required tokens (the two variables and the numbers after them) and isInterruptible.
    explicit MoveTokens(std::size_t required);

    // Both objects exist and the last required token is there.
    explicit operator bool() const { return animation && trinket && complete; }
    // The number at index i of the tokens (the variables are 0 and 1); 0 when absent.
    std::int32_t number(std::size_t i) const;
    // The token after the required ones, or the default when it is absent.
    std::int32_t interruptible(std::int32_t defaultInterruptible) const;

    RAnimation* animation = nullptr;
    OMTrinket* trinket = nullptr;

private:
    std::vector<std::string> tokens_;
    bool complete = false;
};
