// Parameter tables and the expansion of "&name" placeholders in message texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Name and text pairs, few as a rule, searched in order. The local table is filled and cleared around
// every Write; kept in a vector whose short texts live inline, that allocates nothing once warm.
using ParameterTable = std::vector<std::pair<std::string, std::string>>;

// The value of parameter `name`, or null when it is not set.
const std::string* findParameter(const ParameterTable& table, std::string_view name);
// Sets parameter `name`, replacing an earlier value.
void setParameter(ParameterTable& table, std::string_view name, std::string_view text);

// The name of numbered parameter n, and the text of an integer value: both "%ld".
std::string parameterNumberText(std::uint32_t n);

// "&name" takes the local parameter of that name, else the global one, else local parameter "1";
// with none of them it stays as written. "&&" and a lone "&" are copied unchanged.
std::string expandPlaceholders(std::string_view text, const ParameterTable& local,
                               const ParameterTable& global);
// The same, appended to `out`.
void appendExpanded(std::string& out, std::string_view text, const ParameterTable& local,
                    const ParameterTable& global);
