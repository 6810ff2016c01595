#include "platform/startuptrace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace kirel {
namespace {

double nowNs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// Launch time of this process on the real-time clock, from the kernel's start
// time (clock ticks since boot); 0 when it cannot be read.
double kernelLaunchNs() {
    FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat) return 0;
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[n] = '\0';
    // The command name, in parentheses, may hold blanks: fields count from its end.
    const char* p = std::strrchr(buffer, ')');
    if (!p) return 0;
    unsigned long long start = 0;
    // After ")" come field 3 (state) to field 22 (start time).
    if (std::sscanf(
            p + 1,
            " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
            &start) != 1)
        return 0;
    const double sinceBoot = double(start) * 1e9 / double(sysconf(_SC_CLK_TCK));
    return nowNs(CLOCK_REALTIME) - (nowNs(CLOCK_BOOTTIME) - sinceBoot);
}

struct Trace {
    bool on = false;
    double origin = 0;  // launch, real-time clock, ns
    double last = 0;    // previous mark, ms since launch

    Trace() {
        const char* value = std::getenv("KIREL_STARTUP_TRACE");
        if (!value) return;
        on = true;
        char* end = nullptr;
        const double given = std::strtod(value, &end);
        origin = (*value && end && *end == '\0' && given > 0) ? given : kernelLaunchNs();
        if (origin <= 0) origin = nowNs(CLOCK_REALTIME);
    }
};

Trace& trace() {
    static Trace t;
    return t;
}

}  // namespace

bool startupTraceOn() {
    return trace().on;
}

void startupMark(const char* what) {
    Trace& t = trace();
    if (!t.on) return;
    const double at = (nowNs(CLOCK_REALTIME) - t.origin) / 1e6;
    std::fprintf(stderr, "startup %7.1f ms  +%6.1f ms  %s\n", at, at - t.last, what);
    t.last = at;
}

}  // namespace kirel
