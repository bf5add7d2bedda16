#!/usr/bin/env python3
"""Language server benchmark: a didChange of the maximal script (gen_bench.py, 31000 lines)
answered by `tqc-cli lsp` with its diagnostics, against a whole `tqc-cli compile` of the same
file in the same run.

    lsp.py BUILD_DIR          (BUILD_DIR holds tqc-cli; BENCH_REPS rounds, default 15)

Each round sends the whole text as one change (what editors send for "change": 1), with one
line altered so that no round repeats the last, and times from the write to the end of the
publishDiagnostics notification read back. Prints min and median, the ratio to the compile, and
the 50 ms bound. Exit 0 whatever the numbers; 1 when the server does not answer as expected.
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import time


def send(proc, message):
    body = json.dumps(message).encode("utf-8")
    proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
    proc.stdin.flush()


def receive(proc):
    length = None
    while True:
        line = proc.stdout.readline()
        if not line:
            raise EOFError("the server closed its output")
        line = line.strip()
        if not line:
            break
        if line.lower().startswith(b"content-length:"):
            length = int(line.split(b":")[1])
    return json.loads(proc.stdout.read(length))


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    cli = os.path.join(os.path.abspath(sys.argv[1]), "tqc-cli")
    reps = int(os.environ.get("BENCH_REPS", "15"))
    work = tempfile.mkdtemp(prefix="tqc-bench-lsp-")
    subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "gen_bench.py"), work],
                   check=True, stdout=subprocess.DEVNULL)
    path = os.path.join(work, "bench.tqc")
    text = open(path, encoding="latin-1").read()
    uri = "file://" + path

    compile_times = []
    for _ in range(reps):
        start = time.perf_counter()
        subprocess.run([cli, "compile", path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        compile_times.append(time.perf_counter() - start)

    proc = subprocess.Popen([cli, "lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    send(proc, {"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {}})
    receive(proc)
    send(proc, {"jsonrpc": "2.0", "method": "textDocument/didOpen",
                "params": {"textDocument": {"uri": uri, "languageId": "tqc", "version": 1, "text": text}}})
    opened = receive(proc)
    if opened.get("method") != "textDocument/publishDiagnostics" or opened["params"]["diagnostics"]:
        print("lsp: the maximal script should open without diagnostics:", str(opened)[:300])
        return 1
    change_times = []
    lines = text.split("\n")
    for r in range(reps):
        lines[-2] = "on %d" % (r + 1)  # gen_bench.py ends its script with a simple command
        changed = "\n".join(lines)
        start = time.perf_counter()
        send(proc, {"jsonrpc": "2.0", "method": "textDocument/didChange",
                    "params": {"textDocument": {"uri": uri, "version": r + 2}, "contentChanges": [{"text": changed}]}})
        answer = receive(proc)
        change_times.append(time.perf_counter() - start)
        if answer.get("method") != "textDocument/publishDiagnostics" or answer["params"]["diagnostics"]:
            print("lsp: no diagnostics after a change:", str(answer)[:300])
            return 1
    send(proc, {"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    receive(proc)
    send(proc, {"jsonrpc": "2.0", "method": "exit"})
    proc.wait(10)

    cmin, cmed = min(compile_times) * 1e3, statistics.median(compile_times) * 1e3
    lmin, lmed = min(change_times) * 1e3, statistics.median(change_times) * 1e3
    print("lsp: %d rounds, %d lines, ms from the didChange to its diagnostics read back" % (reps, len(lines)))
    print("  didChange -> diagnostics  min %7.2f  median %7.2f" % (lmin, lmed))
    print("  tqc-cli compile (process) min %7.2f  median %7.2f" % (cmin, cmed))
    print("  ratio didChange/compile   %.2f (median)  bound 50 ms (median): %s"
          % (lmed / cmed, "met" if lmed <= 50 else "NOT met"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
