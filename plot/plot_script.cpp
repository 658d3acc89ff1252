#include "plot/plot_script.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <limits>
#include <vector>

#include "plot/thinning.h"

namespace {

struct member_description {
    const char* name;     // as in the file names
    const char* title;    // as people say it
    const char* metric;   // unit of the magnitude, from N/m
    const char* english;  // unit of the magnitude, from lbf/in
};

constexpr member_description members[7] = {
    {"nd_compliance", "Non-dimensional compliance", "–", "–"},
    {"compliance", "Compliance", "m/N", "in/lbf"},
    {"dynamic_stiffness", "Dynamic stiffness", "N/m", "lbf/in"},
    {"mobility", "Mobility", "(m/s)/N", "(in/s)/lbf"},
    {"mechanical_impedance", "Mechanical impedance", "N/(m/s)", "lbf/(in/s)"},
    {"accelerance", "Accelerance", "(m/s²)/N", "(in/s²)/lbf"},
    {"apparent_mass", "Apparent mass", "N/(m/s²)", "lbf/(in/s²)"},
};

const double not_a_number = std::numeric_limits<double>::quiet_NaN();

void append_number(std::string& script, double value)
{
    if (!std::isfinite(value)) {
        script += "NaN";
        return;
    }
    char text[32];
    script.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// A gnuplot string in single quotes, in which a quote is written twice.
std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("''") : std::string(1, c);
    return result + "'";
}

std::string unit_suffix(const member_description& member, unit_labels units)
{
    if (units == unit_labels::quantity_only) return "";
    return std::string(" (") + (units == unit_labels::metric ? member.metric : member.english) + ")";
}

// Columns: frequency, real, imaginary, magnitude, phase. What an axis cannot show is NaN, a gap.
void append_data_block(std::string& script, int member, const result_set& results, bool log_frequency)
{
    const result_columns& complex = results.slot[2 * member];
    const result_columns& polar = results.slot[2 * member + 1];
    std::vector<double> frequencies(complex.first), magnitudes(polar.second);
    for (double& frequency : frequencies)
        if (log_frequency && !(frequency > 0.0)) frequency = not_a_number;
    for (double& magnitude : magnitudes)
        if (!(magnitude > 0.0)) magnitude = not_a_number;
    std::vector<const std::vector<double>*> drawn = {&frequencies, &complex.second, &complex.third, &magnitudes,
                                                     &polar.third};
    script.append("$").append(members[member].name).append(" << EOD\n");
    for (std::size_t line : lines_to_draw(drawn, results.line_count, plot_buckets)) {
        for (const std::vector<double>* column : drawn) {
            append_number(script, (*column)[line]);
            script += ' ';
        }
        script += '\n';
    }
    script += "EOD\n";
}

struct panel_place {
    double x, y, width, height;
};

void place(std::string& script, const panel_place& at)
{
    script += "set origin " + std::to_string(at.x) + "," + std::to_string(at.y) + "\n";
    script += "set size " + std::to_string(at.width) + "," + std::to_string(at.height) + "\n";
}

void mark_natural_frequency(std::string& script, double natural_frequency)
{
    script += "unset arrow\n";
    if (std::isnan(natural_frequency)) return;
    script += "set arrow from ";
    append_number(script, natural_frequency);
    script += ", graph 0 to ";
    append_number(script, natural_frequency);
    script += ", graph 1 nohead dashtype 2 linewidth 1.2 linecolor rgb '#c0392b'\n";
}

}  // namespace

double estimate_natural_frequency(const result_set& results)
{
    // 1 / H_nd = (1 - (f/fn)²) + j 2ζ f/fn, so each point with f > 0 gives
    // fn = f / √(1 - Re(1 / H_nd)); the median of them stands against a stray point.
    const result_columns& nd = results.slot[0];
    std::vector<double> estimates;
    for (std::size_t line = 0; line < results.line_count; ++line) {
        double frequency = nd.first[line], real = nd.second[line], imag = nd.third[line];
        double inverse_real = real / (real * real + imag * imag);
        double estimate = frequency / std::sqrt(1.0 - inverse_real);
        if (frequency > 0.0 && std::isfinite(estimate) && estimate > 0.0) estimates.push_back(estimate);
    }
    if (estimates.empty()) return not_a_number;
    std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
    return estimates[estimates.size() / 2];
}

std::string make_plot_script(const result_set& results, const plot_options& options)
{
    std::string script;
    script += "set terminal svg size 1800,1300 dynamic noenhanced font 'sans,11' background rgb 'white'\n";
    script += "set encoding utf8\n";
    script += "set output " + quoted(options.output) + "\n";
    for (int member = 0; member < 7; ++member) append_data_block(script, member, results, options.log_frequency);

    double natural_frequency = estimate_natural_frequency(results);
    std::string heading = "sdof_frf: frequency response functions";
    if (!std::isnan(natural_frequency)) {
        char text[32];
        std::snprintf(text, sizeof text, "%.4g", natural_frequency);
        heading += std::string(" (natural frequency ") + text + " Hz, dashed)";
    }
    script += "set multiplot title " + quoted(heading) + " font 'sans,14'\n";
    script += "set grid\nset key off\nset xlabel 'frequency (Hz)'\n";
    script += options.log_frequency ? "set logscale x\n" : "unset logscale x\n";

    // Four columns; each member a magnitude panel over its phase panel; the Nyquist plot last.
    const double width = 0.25, height = 0.235, top = 0.955;
    for (int member = 0; member < 7; ++member) {
        const member_description& m = members[member];
        int column = member % 4, half = member / 4;
        double magnitude_y = top - height * (2 * half + 1);
        std::string data = std::string("$").append(m.name);

        place(script, {column * width, magnitude_y, width, height});
        mark_natural_frequency(script, natural_frequency);
        script += "set title " + quoted(std::string(m.title) + ": magnitude") + "\n";
        script += "set logscale y\nset autoscale y\nset ytics auto\nset format y '%g'\n";
        script += "set ylabel " + quoted("magnitude" + unit_suffix(m, options.units)) + "\n";
        script += "plot " + data + " using 1:4 with lines linewidth 1.5 linecolor rgb '#1f5fa8' title " +
                  quoted(std::string(m.name) + " magnitude") + "\n";

        place(script, {column * width, magnitude_y - height, width, height});
        script += "set title " + quoted(std::string(m.title) + ": phase") + "\n";
        script += "unset logscale y\nset yrange [-190:190]\nset ytics -180,90,180\n";
        script += "set ylabel 'phase (degrees, lag positive)'\n";
        script += "plot " + data + " using 1:5 with lines linewidth 1.5 linecolor rgb '#1f7a3a' title " +
                  quoted(std::string(m.name) + " phase") + "\n";
        script += "set autoscale y\nset ytics auto\n";
    }

    const member_description& compliance = members[1];
    place(script, {3 * width, top - 4 * height, width, 2 * height});
    script += "unset arrow\nunset logscale x\n";
    script += "set title 'Compliance: Nyquist plot'\n";
    script += "set xlabel " + quoted("real part" + unit_suffix(compliance, options.units)) + "\n";
    script += "set ylabel " + quoted("imaginary part" + unit_suffix(compliance, options.units)) + "\n";
    script += "set format x '%g'\nset xtics rotate by -35\n";
    script += "plot $compliance using 2:3 with lines linewidth 1.5 linecolor rgb '#7d3c98' title 'compliance Nyquist'\n";
    script += "unset multiplot\n";
    return script;
}
