#pragma once

#include <cstddef>
#include <vector>

// The lines worth drawing of a long run. A panel is a few hundred pixels wide, so beyond
// `buckets` × 4 lines the lines are split into `buckets` runs of consecutive lines, and each
// run keeps its first line and, for every column, the line of its smallest and of its largest
// value and its first value that is not finite: peaks and gaps stay, the rest is thinned out.
// Returns line indices in rising order.
std::vector<std::size_t> lines_to_draw(const std::vector<const std::vector<double>*>& columns,
                                       std::size_t line_count, std::size_t buckets);

inline constexpr std::size_t plot_buckets = 4000;
