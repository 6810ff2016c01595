#pragma once

// Where the start-up time goes. With KIREL_STARTUP_TRACE set in the environment,
// each mark prints to standard error the milliseconds since the process was
// launched and what was done since the previous mark:
//
//   startup  41.2 ms  +3.1 ms  main window built
//
// A value of digits is taken as the launch time in nanoseconds of the real-time
// clock (`KIREL_STARTUP_TRACE=$(date +%s%N) kirel`), so the first mark also shows
// what happened before main (process start, dynamic linking, static
// initialisation). Any other value measures from the process's start time as the
// kernel reports it, to its clock tick. Without the variable a mark costs one test.

namespace kirel {

void startupMark(const char* what);

// True when the trace is on.
bool startupTraceOn();

}  // namespace kirel
