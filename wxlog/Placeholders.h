// Parameter tables and the expansion of "&name" placeholders in message texts.
#pragma once

#include <cstdint>
#include <map>
#include <string>

using ParameterTable = std::map<std::string, std::string>;

// The value of parameter `name`, or null when it is not set.
const std::string* findParameter(const ParameterTable& table, const std::string& name);

// The name of numbered parameter n, and the text of an integer value: both "%ld".
std::string parameterNumberText(std::uint32_t n);

// "&name" takes the local parameter of that name, else the global one, else local parameter "1";
// with none of them it stays as written. "&&" and a lone "&" are copied unchanged.
std::string expandPlaceholders(const std::string& text, const ParameterTable& local,
                               const ParameterTable& global);
