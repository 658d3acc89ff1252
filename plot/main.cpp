#include <cstdio>
#include <string>

#include "plot/gnuplot_run.h"
#include "plot/plot_options.h"
#include "plot/plot_script.h"
#include "plot/result_files.h"

namespace {

int fail(const std::string& problem, int status)
{
    std::fprintf(stderr, "sdof_frf_plot: %s\n", problem.c_str());
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    plot_options options;
    std::string problem;
    if (!read_plot_options(argc, argv, options, problem)) {
        std::fprintf(stderr, "sdof_frf_plot: %s\n\n%s", problem.c_str(), plot_usage);
        return 2;
    }
    if (options.help) {
        std::fputs(plot_usage, stdout);
        return 0;
    }
    static result_set results;
    if (!read_result_set(options.folder, results, problem)) return fail(problem, 1);
    if (!run_gnuplot(make_plot_script(results, options), problem)) return fail(problem, 1);
    std::printf("%s\n", options.output.c_str());
    return 0;
}
