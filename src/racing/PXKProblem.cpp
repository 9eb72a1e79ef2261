// The racing game's problem generator; every draw is taken in the order the game has always taken it, so
// that a seeded run states the same problems.
#include "PXKProblem.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::int32_t r() { return std::rand(); }

std::int32_t pickValue(std::int32_t difficulty) {
    static const std::int32_t even[10] = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    static const std::int32_t differences[10] = {12, 12, 12, 12, 12, 12, 12, 8, 6, 2};
    return weightedPick(difficulty == 3 ? differences : even, 10, r() % 100) + 1;
}

// Two or three addends for a sum of n: larger sums take three more often.
std::int32_t addendCount(std::int32_t n) {
    const std::int32_t t = r() % 10;
    if (n <= 2) return 2;
    if (n == 3) return t == 1 ? 3 : 2;
    return t < 12 - n ? 2 : 3;
}

std::string expression(std::int32_t n, bool difference, std::int32_t addends) {
    if (difference) {
        const std::int32_t d = r() % (11 - n);
        return std::to_string(d + n) + "-" + std::to_string(d);
    }
    const std::int32_t a = r() % (n + 1);
    if (addends == 2) return std::to_string(a) + "+" + std::to_string(n - a);
    const std::int32_t b = r() % (n - a + 1);
    return std::to_string(a) + "+" + std::to_string(b) + "+" + std::to_string(n - a - b);
}

// Four distinct values of 1..10 other than n, in drawing order.
std::array<std::int32_t, 4> distractors(std::int32_t n) {
    bool used[11] = {};
    used[n] = true;
    std::array<std::int32_t, 4> values{};
    for (std::int32_t& value : values) {
        do value = r() % 10 + 1;
        while (used[value]);
        used[value] = true;
    }
    return values;
}

// The right choice at a random position, the others filled in order.
template <typename Text>
void placeChoices(PXKProblem& problem, std::int32_t n, const std::string& right, Text text) {
    problem.answerIndex = r() % 5;
    const std::array<std::int32_t, 4> others = distractors(n);
    std::size_t next = 0;
    for (std::int32_t i = 0; i < 5; ++i)
        problem.choices[std::size_t(i)] = i == problem.answerIndex ? right : text(others[next++]);
}

void counting(PXKProblem& problem) {
    static const std::int32_t picks[6] = {18, 16, 16, 16, 16, 18};
    static const std::int32_t pictures[4] = {2, 3, 5, 4};
    static const std::int32_t speech[4] = {13294, 13295, 13296, 13342};
    static const std::int32_t groupCounts[7] = {5, 6, 4, 4, 3, 4, 4};
    const std::int32_t pick = weightedPick(picks, 6, r() % 100);
    if (pick < 4) {
        problem.pictureCount = r() % 10 + 1;
        problem.picture = pictures[pick];
        problem.layout = 0;
        problem.speechId = speech[pick];
    } else if (pick == 4) {
        const std::int32_t k = r() % 3;
        problem.pictureCount = k + 3;
        problem.picture = 1;
        problem.layout = k == 0 ? r() % 3 + 2 : k == 1 ? r() % 4 + 5 : r() % 4 + 9;
        problem.speechId = 13294;
    } else {
        const std::int32_t s = r() % 7;
        problem.pictureCount = groupCounts[s];
        problem.picture = s + 6;
        problem.layout = 1;
        problem.speechId = 13312;
    }
    const std::int32_t c = problem.pictureCount;
    const std::int32_t b = std::clamp(c - ((r() & 3) + 1), 1, 6);
    for (std::int32_t i = 0; i < 5; ++i) problem.choices[std::size_t(i)] = std::to_string(b + i);
    problem.answerIndex = c - b;
}

void sumOrDifference(PXKProblem& problem, std::int32_t difficulty) {
    const std::int32_t n = pickValue(difficulty);
    const bool difference = difficulty == 3;
    problem.speechId = difference ? 13332 : 13313;
    problem.text = expression(n, difference, difference ? 2 : addendCount(n)) + "=?";
    placeChoices(problem, n, std::to_string(n), [](std::int32_t value) { return std::to_string(value); });
}

// The choices are expressions too; the right one is another way of writing the problem's value.
void expressions(PXKProblem& problem) {
    const std::int32_t n = pickValue(4);
    const bool difference = r() % 10 > 4 && n != 10;
    const std::int32_t addends = difference ? 2 : addendCount(n);
    problem.speechId = 13314;
    problem.text = expression(n, difference, addends);
    std::string right;
    do right = expression(n, difference, addends);
    while (right == problem.text);
    placeChoices(problem, n, right, [](std::int32_t value) {
        const std::int32_t count = r() % 10 < 7 ? 2 : 3;
        return expression(value, r() % 10 >= 7, count);
    });
    problem.text += "=?";
}

}  // namespace

std::int32_t weightedPick(const std::int32_t* percentages, std::int32_t count, std::int32_t v) {
    std::int32_t total = 0;
    for (std::int32_t i = 0; i < count - 1; ++i) {
        total += percentages[i];
        if (total >= v) return i;
    }
    return count - 1;
}

PXKProblem makeProblem(std::int32_t difficulty) {
    PXKProblem problem;
    if (difficulty == 1)
        counting(problem);
    else if (difficulty == 4)
        expressions(problem);
    else
        sumOrDifference(problem, difficulty);
    return problem;
}

PXKProblem nextProblem(std::int32_t difficulty, std::string& lastAnswer) {
    PXKProblem problem;
    do problem = makeProblem(difficulty);
    while (problem.choices[std::size_t(problem.answerIndex)] == lastAnswer);
    lastAnswer = problem.choices[std::size_t(problem.answerIndex)];
    return problem;
}
