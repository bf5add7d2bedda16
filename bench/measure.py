#!/usr/bin/env python3
"""Times whole processes and reads their peak memory.

    measure.py REPS NAME1 CMD1 NAME2 CMD2 ...

Each CMD is one shell-free command line, split at blanks (no quoting; paths must not contain
blanks). The commands run in turn, REPS rounds, so a slow phase of the machine hits all of them
alike. For each it prints one line:

    NAME min_seconds median_seconds max_rss_kb exit_status

Wall time is measured around spawn and wait; the peak resident set size comes from wait4's
rusage of that child alone. stdout and stderr of the commands are discarded. The exit status is
the first non-zero one seen, else 0.
"""

import os
import statistics
import subprocess
import sys
import time


def run_once(argv):
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdout=null, stderr=null)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)  # keeps Popen from waiting again
    return elapsed, usage.ru_maxrss, child.returncode


def main():
    args = sys.argv[1:]
    if len(args) < 3 or len(args) % 2 != 1:
        sys.stderr.write(__doc__)
        return 2
    reps = int(args[0])
    commands = [(args[i], args[i + 1].split()) for i in range(1, len(args), 2)]
    times = {name: [] for name, _ in commands}
    rss = {name: 0 for name, _ in commands}
    status = {name: 0 for name, _ in commands}
    for _ in range(reps):
        for name, argv in commands:
            elapsed, maxrss, code = run_once(argv)
            times[name].append(elapsed)
            rss[name] = max(rss[name], maxrss)
            if code != 0 and status[name] == 0:
                status[name] = code
    for name, _ in commands:
        print("%s %.6f %.6f %d %d" % (name, min(times[name]), statistics.median(times[name]), rss[name],
                                      status[name]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
