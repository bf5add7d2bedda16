#!/usr/bin/env bash
# Compile benchmark: the whole `tqc-cli compile` of a script at every capacity limit against
# `gcc -E` of a C file of the same shape, timed in the same run. Builds nothing.
#
#   bench/run.sh BUILD_DIR        (BUILD_DIR holds tqc-cli; a Release build gives fair numbers)
#
# Environment: BENCH_REPS (default 9) rounds, GCC (default gcc).
# Prints the times, the ratio tqc/gcc (target <= 1.0) and the peak memory of tqc-cli (bound
# 64 MB). It judges nothing: exit 0 whatever the numbers, 1 when the generated script does not
# compile without errors (or the C file does not preprocess), 2 on a bad call or missing tool.
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build_dir=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no build directory $1" >&2; exit 2; }
bench_dir=$(cd "$(dirname "$0")" && pwd)
cli="$build_dir/tqc-cli"
gcc=${GCC:-gcc}
reps=${BENCH_REPS:-9}

[ -x "$cli" ] || { echo "$0: $cli not found; build the target tqc-cli first" >&2; exit 2; }
command -v "$gcc" > /dev/null || { echo "$0: $gcc not found (apt-get install gcc)" >&2; exit 2; }
command -v python3 > /dev/null || { echo "$0: python3 not found" >&2; exit 2; }
case "$reps" in ''|*[!0-9]*|0) echo "$0: BENCH_REPS must be a positive number" >&2; exit 2 ;; esac

work="$build_dir/bench"
rm -rf "$work"
mkdir -p "$work"
python3 "$bench_dir/gen_bench.py" "$work" || exit 2
script="$work/bench.tqc"
cfile="$work/bench.c"
case "$script$cfile" in *' '*) echo "$0: the build directory path must not contain blanks" >&2; exit 2 ;; esac

# The script must compile cleanly, or the timing measures error handling instead of the compile.
"$cli" compile "$script" > "$work/compile.out" 2> "$work/compile.err"
status=$?
if [ $status -ne 0 ]; then
    echo "bench: $script does not compile (exit status $status); first errors:"
    head -n 20 "$work/compile.err"
    exit 1
fi
echo "bench: tqc-cli: $(cat "$work/compile.out")"
if ! "$gcc" -E "$cfile" -o /dev/null 2> "$work/gcc.err"; then
    echo "bench: $gcc -E $cfile failed:"
    head -n 20 "$work/gcc.err"
    exit 1
fi

results=$(python3 "$bench_dir/measure.py" "$reps" \
    tqc "$cli compile $script" \
    gcc "$gcc -E $cfile -o /dev/null") || exit 2
read -r _ tqc_min tqc_med tqc_rss tqc_status <<< "$(grep '^tqc ' <<< "$results")"
read -r _ gcc_min gcc_med gcc_rss gcc_status <<< "$(grep '^gcc ' <<< "$results")"
if [ "$tqc_status" != 0 ] || [ "$gcc_status" != 0 ]; then
    echo "bench: a timed run failed (tqc-cli exit $tqc_status, $gcc -E exit $gcc_status)"
    exit 1
fi

# Peak memory of tqc-cli: GNU time's %M when installed, else wait4's ru_maxrss from measure.py.
rss_kb=$tqc_rss
rss_source="wait4 ru_maxrss, max of $reps runs"
if [ -x /usr/bin/time ]; then
    if /usr/bin/time -f %M -o "$work/time.out" "$cli" compile "$script" > /dev/null 2>&1; then
        rss_kb=$(tail -n 1 "$work/time.out")
        rss_source="/usr/bin/time -f %M"
    fi
fi

awk -v reps="$reps" -v tmin="$tqc_min" -v tmed="$tqc_med" -v gmin="$gcc_min" -v gmed="$gcc_med" \
    -v grss="$gcc_rss" -v rss="$rss_kb" -v src="$rss_source" -v gcc="$gcc" 'BEGIN {
    ratio_min = tmin / gmin
    ratio_med = tmed / gmed
    printf "bench: %d rounds, whole processes, min and median wall time\n", reps
    printf "  tqc-cli compile  min %.4f s  median %.4f s\n", tmin, tmed
    printf "  %s -E           min %.4f s  median %.4f s  (peak RSS %.1f MB)\n", gcc, gmin, gmed, grss / 1024
    printf "  ratio tqc/gcc    %.2f (min)  %.2f (median)  target <= 1.00: %s\n", ratio_min, ratio_med,
        ratio_min <= 1.0 ? "met" : "NOT met"
    printf "  peak memory      %.1f MB (%s)  bound 64 MB: %s\n", rss / 1024, src,
        rss <= 65536 ? "met" : "NOT met"
}'
exit 0
