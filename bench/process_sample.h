#pragma once

#include <QtGlobal>

// What the kernel says about a running process: CPU time used so far and
// resident memory now and at its peak.
struct ProcessSample {
    double cpuSeconds = 0; // user + system
    qint64 rssKb = 0;
    qint64 peakRssKb = 0;
};

// Reads /proc/PID/task/*/schedstat and /proc/PID/status; all zero if the process is gone.
ProcessSample sampleProcess(qint64 pid);
