#!/usr/bin/env bash
# Runs a fuzz target for a bounded time on its seed corpus; builds nothing.
#
#   fuzz/run.sh BUILD_DIR SECONDS [compile|lsp]
#
# BUILD_DIR is a build directory configured with clang and -DTQC_FUZZ=ON in which the target
# tqc_fuzz_compile (or tqc_fuzz_lsp) has been built (see fuzz/CMakeLists.txt). The compile
# target's seed corpus is every script in examples/ plus fuzz/seeds/; an example that includes
# another file is also turned into one input with the include file after the separator line
# (see FuzzCompile.cpp). The lsp target's seeds are the client sides of the sessions in
# tests/support/lsp-session.txt. New inputs the fuzzer finds go into
# BUILD_DIR/fuzz/corpus-work (corpus-work-lsp), which is made afresh on every run.
#
# Exit status: 0 without findings; 1 on any crash, sanitizer report, leak, timeout or
# out-of-memory (the reproducer lies in BUILD_DIR/fuzz/artifacts and is printed); 2 on a bad
# call or a missing target.
set -u

if [ $# -ne 2 ] && [ $# -ne 3 ]; then
    echo "usage: $0 BUILD_DIR SECONDS [compile|lsp]" >&2
    exit 2
fi
target=${3:-compile}
case "$target" in
    compile) suffix= ;;
    lsp) suffix=-lsp ;;
    *) echo "$0: the target is compile or lsp, not '$target'" >&2; exit 2 ;;
esac
build_dir=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no build directory $1" >&2; exit 2; }
seconds=$2
case "$seconds" in
    ''|*[!0-9]*) echo "$0: SECONDS must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac

source_dir=$(cd "$(dirname "$0")/.." && pwd)
fuzzer="$build_dir/fuzz/tqc_fuzz_$target"
if [ ! -x "$fuzzer" ]; then
    echo "$0: $fuzzer not found; configure with CC=clang CXX=clang++ -DTQC_FUZZ=ON and build the target tqc_fuzz_$target" >&2
    exit 2
fi

work="$build_dir/fuzz/corpus-work$suffix"
artifacts="$build_dir/fuzz/artifacts$suffix"
# The target writes its include file below TMPDIR; a crashed run cannot clean up, so keep it here.
export TMPDIR="$build_dir/fuzz/tmp$suffix"
rm -rf "$work" "$artifacts" "$TMPDIR"
mkdir -p "$work" "$artifacts" "$TMPDIR"

if [ "$target" = lsp ]; then
    # One seed per session: its "> " lines framed, its ">> " lines as they stand (unescaped).
    python3 - "$source_dir/tests/support/lsp-session.txt" "$work" <<'PYTHON'
import sys
rows, sent = [], None
for line in open(sys.argv[1], encoding="utf-8").read().split("\n"):
    if line.startswith("=="):
        sent = bytearray(); rows.append(sent)
    elif sent is not None and line.startswith(">> "):
        sent += line[3:].replace("\\r", "\r").replace("\\n", "\n").encode()
    elif sent is not None and line.startswith("> "):
        body = line[2:].replace("file://DIR", "file:///tmp/tqc-fuzz-lsp").encode()
        sent += b"Content-Length: %d\r\n\r\n" % len(body) + body
for n, sent in enumerate(rows):
    open("%s/session-%02d" % (sys.argv[2], n), "wb").write(sent)
PYTHON
    dictionary="$source_dir/fuzz/lsp.dict"
    seeds=$(ls "$work" | wc -l)
else
    dictionary="$source_dir/fuzz/tqc.dict"

# Must match kSeparator in FuzzCompile.cpp.
separator=$'\n//--inc.tqc--\n'

seeds=0
shopt -s nullglob
for script in "$source_dir"/examples/*.tqc "$source_dir"/fuzz/seeds/*; do
    [ -f "$script" ] || continue
    cp "$script" "$work/$(basename "$script")"
    seeds=$((seeds + 1))
    # An example with an #include beside it: the script with the include renamed to inc.tqc,
    # then the separator, then the included file.
    include=$(sed -n 's/.*#include[^"]*"\([^"]*\)".*/\1/p' "$script" | head -n 1)
    dir=$(dirname "$script")
    if [ -n "$include" ] && [ "$include" != "inc.tqc" ] && [ -f "$dir/$include" ]; then
        combined="$work/$(basename "$script").with-include"
        {
            sed "s|\"$include\"|\"inc.tqc\"|" "$script"
            printf '%s' "$separator"
            cat "$dir/$include"
        } > "$combined"
        seeds=$((seeds + 1))
    fi
done
shopt -u nullglob
fi
echo "fuzz: $target, $seeds seed inputs, $seconds s, corpus $work"

symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

log="$build_dir/fuzz/fuzz$suffix.log"
# A script full of different lines that each use a define containing itself runs every line to
# the expansion limits: seconds under the sanitizers, yet bounded. Only a hang is a finding.
"$fuzzer" "$work" \
    -dict="$dictionary" \
    -max_len=65536 \
    -timeout=120 \
    -rss_limit_mb=2048 \
    -max_total_time="$seconds" \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/" \
    > "$log" 2>&1
status=$?

findings=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
tail -n 15 "$log"
if [ $status -ne 0 ] || [ -n "$findings" ]; then
    echo
    echo "fuzz: FINDING (fuzzer exit status $status); full log: $log"
    grep -E -A40 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log" | head -n 80
    for f in $findings; do
        echo "fuzz: reproducer $f ($(wc -c < "$f") bytes); rerun with: $fuzzer $f"
    done
    exit 1
fi
echo "fuzz: no findings in $seconds s"
exit 0
