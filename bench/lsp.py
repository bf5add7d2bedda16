#!/usr/bin/env python3
"""Language server benchmark on the maximal script (gen_bench.py, 31000 lines), against a whole
`tqc-cli compile` of the same file in the same run.

    lsp.py BUILD_DIR          (BUILD_DIR holds tqc-cli; BENCH_REPS rounds, default 15)

Single changes: each round sends the whole text as one change, with one line altered so that no
round repeats the last, and times from the write to the end of the publishDiagnostics
notification read back. Burst: 100 changes written at once (as a fast typist's editor sends
them), timed from the last change written to the diagnostics of the last version read back.
Requests behind a burst: 100 range changes and then a completion, a signature help, a hover on a
command word and one on a variable written at once, each timed from the last byte written to its
answer. Prints min and median and the ratios to the compile. Exit 0 whatever the numbers; 1 when the
server does not answer as expected.
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import threading
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
    sync = receive(proc)["result"]["capabilities"]["textDocumentSync"]
    incremental = (sync.get("change") if isinstance(sync, dict) else sync) == 2
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
    # The burst: 100 changes at once, as the server asked for them (whole texts, or ranges when
    # it announced incremental sync), timed from the first byte written, since a typist makes
    # them all in a moment, to the diagnostics of the last. A server that names versions is
    # waited for by version, one that does not by count.
    bursts = {}
    modes = ["whole"] + (["ranges"] if incremental else [])
    version = reps + 1
    for mode in modes:
        times = []
        for r in range(3):
            payload, version = changes(uri, lines, version, 0, mode == "whole")
            start = time.perf_counter()
            writer = threading.Thread(target=lambda: (proc.stdin.write(payload), proc.stdin.flush()))
            writer.start()
            seen = 0
            while True:
                answer = receive(proc)
                if answer.get("method") != "textDocument/publishDiagnostics":
                    continue
                seen += 1
                if answer["params"].get("version", version if seen == 100 else None) == version:
                    break
            times.append(time.perf_counter() - start)
            writer.join()
            if answer["params"]["diagnostics"]:
                print("lsp: errors after a burst:", str(answer)[:300])
                return 1
        bursts[mode] = times
    behind = {} if not incremental else requests_behind_changes(proc, uri, lines, version)
    send(proc, {"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    receive(proc)
    send(proc, {"jsonrpc": "2.0", "method": "exit"})
    proc.wait(10)

    cmin, cmed = min(compile_times) * 1e3, statistics.median(compile_times) * 1e3
    lmin, lmed = min(change_times) * 1e3, statistics.median(change_times) * 1e3
    print("lsp: %d rounds, %d lines, ms from the didChange to its diagnostics read back" % (reps, len(lines)))
    print("  didChange -> diagnostics  min %7.2f  median %7.2f" % (lmin, lmed))
    print("  tqc-cli compile (process) min %7.2f  median %7.2f" % (cmin, cmed))
    print("  ratio didChange/compile   %.2f (median)  bound 30 ms (median): %s"
          % (lmed / cmed, "met" if lmed <= 30 else "NOT met"))
    for mode, times in bursts.items():
        bmed = statistics.median(times) * 1e3
        print("  100 changes (%s) at once -> the last one's diagnostics  min %7.2f  median %7.2f  ratio %.2f"
              % (mode, min(times) * 1e3, bmed, bmed / cmed))
    for name, (times, bound) in behind.items():
        rmed = statistics.median(times) * 1e3
        print("  %-22s behind 100 changes  min %7.2f  median %7.2f  ratio %.2f%s"
              % (name, min(times) * 1e3, rmed, rmed / cmed,
                 "" if bound is None else "  bound %d ms: %s" % (bound, "met" if rmed <= bound else "NOT met")))
    return 0


def changes(uri, lines, version, shift, whole):
    """100 framed didChange notifications to the script's last line (whole texts, or the old line
    replaced as a range); the payload and the last version."""
    payload = b""
    last = len(lines) - 2
    for k in range(100):
        version += 1
        old = lines[-2]
        lines[-2] = "on %d" % ((k + shift) % 50 + 1)
        change = {"text": "\n".join(lines)} if whole else {
            "range": {"start": {"line": last, "character": 0}, "end": {"line": last, "character": len(old)}},
            "text": lines[-2]}
        body = json.dumps({"jsonrpc": "2.0", "method": "textDocument/didChange",
                           "params": {"textDocument": {"uri": uri, "version": version},
                                      "contentChanges": [change]}}).encode("utf-8")
        payload += b"Content-Length: %d\r\n\r\n" % len(body) + body
    return payload, version


def requests_behind_changes(proc, uri, lines, version):
    """Each request written after 100 queued range changes to the last line; ms to its answer."""
    row = next(i for i, l in enumerate(lines) if l.startswith("setvar v"))
    word = lines[row].split()[1]
    requests = {  # name: (method, column, bound in ms; None where a compile is the answer's price)
        "completion": ("textDocument/completion", len("setvar v"), 5),
        "signatureHelp": ("textDocument/signatureHelp", len("setvar "), 5),
        "hover (command)": ("textDocument/hover", 2, 5),
        "hover (variable)": ("textDocument/hover", len("setvar ") + len(word) // 2, None),
    }
    out = {name: ([], bound) for name, (_, _, bound) in requests.items()}
    for r in range(5):
        for name, (method, column, _) in requests.items():
            payload, version = changes(uri, lines, version, r, False)
            body = json.dumps({"jsonrpc": "2.0", "id": 1000 + version, "method": method,
                               "params": {"textDocument": {"uri": uri},
                                          "position": {"line": row, "character": column}}}).encode("utf-8")
            payload += b"Content-Length: %d\r\n\r\n" % len(body) + body
            proc.stdin.write(payload)
            proc.stdin.flush()
            start = time.perf_counter()
            while True:
                answer = receive(proc)
                if answer.get("id") == 1000 + version:
                    break
            out[name][0].append(time.perf_counter() - start)
            if not answer.get("result"):
                raise SystemExit("lsp: no answer to %s behind changes: %s" % (name, str(answer)[:300]))
            # Let the diagnostics of the burst come before the next round.
            while True:
                answer = receive(proc)
                if answer.get("method") == "textDocument/publishDiagnostics" and \
                        answer["params"].get("version") == version:
                    break
    return out


if __name__ == "__main__":
    sys.exit(main())
