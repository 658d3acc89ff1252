#include "plot/thinning.h"

#include <algorithm>
#include <cmath>

std::vector<std::size_t> lines_to_draw(const std::vector<const std::vector<double>*>& columns,
                                       std::size_t line_count, std::size_t buckets)
{
    std::vector<std::size_t> kept;
    if (line_count <= 4 * buckets) {
        for (std::size_t line = 0; line < line_count; ++line) kept.push_back(line);
        return kept;
    }
    for (std::size_t bucket = 0; bucket < buckets; ++bucket) {
        std::size_t first = line_count * bucket / buckets, end = line_count * (bucket + 1) / buckets;
        std::size_t start = kept.size();
        kept.push_back(first);
        for (const std::vector<double>* column : columns) {
            std::size_t smallest = end, largest = end, undefined = end;
            for (std::size_t line = first; line < end; ++line) {
                double value = (*column)[line];
                if (!std::isfinite(value)) {
                    if (undefined == end) undefined = line;
                    continue;
                }
                if (smallest == end || value < (*column)[smallest]) smallest = line;
                if (largest == end || value > (*column)[largest]) largest = line;
            }
            for (std::size_t line : {smallest, largest, undefined})
                if (line != end) kept.push_back(line);
        }
        std::sort(kept.begin() + start, kept.end());
        kept.erase(std::unique(kept.begin() + start, kept.end()), kept.end());
    }
    if (kept.back() != line_count - 1) kept.push_back(line_count - 1);
    return kept;
}
