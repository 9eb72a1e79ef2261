// The puzzle's turns addressed by 1-based numbers.
#include "PuzzleDataSet.h"

#include <algorithm>

DSEntry& DataSet::entry(std::int32_t number) {
    const std::size_t index = std::max(static_cast<std::int16_t>(number) - 1, 0);
    if (entries.size() <= index) entries.resize(index + 1);
    return entries[index];
}
