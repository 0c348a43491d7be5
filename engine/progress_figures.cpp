// The run's progress figures: the bar position and the script's percentage and numbering.
#include "engine/progress_figures.h"

#include <cstdint>
#include <cstdio>

int Percentage(int i, int n) {
    if (n <= 1) return 0;
    // Whole numbers throughout, so that a half is recognised exactly.
    const std::int64_t numerator = 100 * static_cast<std::int64_t>(i);
    const std::int64_t denominator = n - 1;
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<int>(quotient);
}

int ProgressPosition(int i, int n) {
    if (n <= 1) return 0;
    // Two roundings, each to the 64-bit significand, and volatile keeps the compiler from
    // folding them into one: on a whole-number result the cut may land one below
    // (1 of 125 gives 7), and the bar must show what it always showed.
    volatile long double quotient = static_cast<long double>(i) / static_cast<long double>(n - 1);
    volatile long double scaled = quotient * static_cast<long double>(kProgressRange);
    return static_cast<int>(scaled);
}

void AppendIndexText(std::string& out, int i, int n) {
    char last[16];
    char index[16];
    const int lastWidth = std::snprintf(last, sizeof(last), "%d", n > 0 ? n - 1 : 0);
    const int indexWidth = std::snprintf(index, sizeof(index), "%d", i);
    if (indexWidth < lastWidth) out.append(static_cast<std::size_t>(lastWidth - indexWidth), '0');
    out.append(index, static_cast<std::size_t>(indexWidth));
}
