#include "plot/result_files.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "d.dddddde±ddd": one digit, the point, six digits, the exponent with three digits.
bool is_e_style(std::string_view body)
{
    if (body.size() != 13 || body[1] != '.' || body[8] != 'e' || (body[9] != '+' && body[9] != '-')) return false;
    for (std::size_t i : {0u, 2u, 3u, 4u, 5u, 6u, 7u, 10u, 11u, 12u})
        if (!is_digit(body[i])) return false;
    return true;
}

}  // namespace

bool parse_result_value(std::string_view text, double& value)
{
    bool negative = !text.empty() && text[0] == '-';
    std::string_view body = negative ? text.substr(1) : text;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (body == "1.#INF00e+000") {
        value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return true;
    }
    if (body == "1.#IND00e+000" || body == "1.#QNAN0e+000" || body == "1.#SNAN0e+000") {
        value = nan;
        return true;
    }
    if (!is_e_style(body)) return false;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool parse_result_line(std::string_view line, double values[3])
{
    if (line.size() < 2 || line.front() != ' ' || line.back() != ' ') return false;
    std::string_view rest = line.substr(1, line.size() - 2);
    for (int i = 0; i < 3; ++i) {
        std::size_t blank = rest.find(' ');
        if ((i < 2) != (blank != std::string_view::npos)) return false;
        if (!parse_result_value(rest.substr(0, blank), values[i])) return false;
        rest = i < 2 ? rest.substr(blank + 1) : std::string_view();
    }
    return true;
}

static bool read_result_file(const std::string& path, result_columns& columns, std::string& problem)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        problem = path + ": cannot be read: " + std::strerror(errno);
        return false;
    }
    std::string line;
    for (std::size_t number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        double values[3];
        if (!parse_result_line(line, values)) {
            problem = path + ", line " + std::to_string(number) + ": not a result line: \"" + line.substr(0, 60) + "\"";
            return false;
        }
        columns.first.push_back(values[0]);
        columns.second.push_back(values[1]);
        columns.third.push_back(values[2]);
    }
    if (columns.first.empty()) {
        problem = path + ": holds no result line";
        return false;
    }
    return true;
}

static bool same_frequency(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool read_result_set(const std::string& folder, result_set& results, std::string& problem)
{
    for (int i = 0; i < result_file_count; ++i)
        if (!read_result_file(folder + "/" + result_file_names[i], results.slot[i], problem)) return false;
    results.line_count = results.slot[0].first.size();
    for (int i = 1; i < result_file_count; ++i) {
        const std::vector<double>& frequencies = results.slot[i].first;
        std::string path = folder + "/" + result_file_names[i];
        if (frequencies.size() != results.line_count) {
            problem = path + " has " + std::to_string(frequencies.size()) + " lines, " + result_file_names[0] +
                      " has " + std::to_string(results.line_count) + ": the files are not from one run";
            return false;
        }
        for (std::size_t line = 0; line < results.line_count; ++line) {
            if (!same_frequency(frequencies[line], results.slot[0].first[line])) {
                problem = path + ", line " + std::to_string(line + 1) + ": its frequency differs from " +
                          result_file_names[0] + ": the files are not from one run";
                return false;
            }
        }
    }
    return true;
}
