#include "run/start_up.h"

#include <cfenv>
#include <cmath>
#include <csignal>

#include "run/text_stream.h"

double pi = 0.0;
double two_pi = 0.0;

static void set_floating_point_environment()
{
    // Round to nearest in double precision; nothing traps, so 0/0 gives the default NaN.
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(FE_ALL_EXCEPT);
}

static void set_signal_dispositions()
{
    // A reader that went away or a file size limit is a failed write, reported like any
    // other, never the death of the process with result buffers still unwritten.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

void start_up()
{
    set_floating_point_environment();
    set_signal_dispositions();
    prepare_standard_streams();
    pi = std::atan2(+0.0, -1.0);
    two_pi = pi + pi;
}
