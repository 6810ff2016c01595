#pragma once

// What a user feels of a long action: the wall time until it is done, and the
// longest stretch in which the window's thread ran no events (it neither paints
// nor answers input). A 10 ms timer records how late it fires; the longest
// delay beyond its interval is the longest stall.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace bench {

struct Felt {
    double wallMs = 0;
    double stallMs = 0;
};

// Starts action from the event loop and runs the loop until done() holds.
// done() is looked at between events, as often as the loop lets it; with a
// pollMs above 0, every pollMs instead, for actions whose work runs in other
// processes: a loop that never sleeps takes a core from them.
inline Felt feel(const std::function<void()>& action, const std::function<bool()>& done,
                 int pollMs = 0) {
    constexpr qint64 kIntervalNs = 10'000'000;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0, longest = 0, startedAt = -1, doneAt = -1;
    QEventLoop loop;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - lastTick);
        lastTick = now;
    });
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(pollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (startedAt >= 0 && done()) {
            doneAt = clock.nsecsElapsed();
            loop.quit();
        }
    });
    QTimer::singleShot(20, [&] {
        startedAt = clock.nsecsElapsed();
        action();
    });
    lastTick = clock.nsecsElapsed();
    probe.start();
    poll.start();
    loop.exec();
    // The stretch that ended with done counts too.
    longest = std::max(longest, doneAt - lastTick);
    return {double(doneAt - startedAt) / 1e6,
            double(std::max<qint64>(0, longest - kIntervalNs)) / 1e6};
}

// The least of the repetitions: others compile on the same machine.
inline double least(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

}  // namespace bench
