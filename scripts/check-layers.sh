#!/usr/bin/env bash
# Fails when a file built into the GUI-free library reaches a GUI header (a wxWidgets port or
# generic header, or the styled text control, beyond the two that wxBase's own headers pull in:
# the port's configuration check and, from wx/log.h, the GUI log target's declaration), or when
# the compiler's files include the settings or the windows' code.
#
#   scripts/check-layers.sh BUILD_DIR      (a configured build with compile_commands.json)
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
python3 - "$build/compile_commands.json" "$(cd "$(dirname "$0")/.." && pwd)" <<'PY'
import json, re, shlex, subprocess, sys

commands, source = json.load(open(sys.argv[1])), sys.argv[2]
gui = re.compile(r"/wx/(gtk|gtk1|msw|osx|qt|x11|motif|univ|generic|stc)/")
allowed = re.compile(r"/wx/[a-z0-9]+/chkconf\.h$|/wx/generic/logg\.h$")
failures = 0
core = [c for c in commands if "/tqc_core.dir/" in c.get("output", c["command"])]
if not core:
    sys.exit("check-layers: no file of tqc_core in " + sys.argv[1])
for c in core:
    args = shlex.split(c["command"])
    if "-o" in args:
        i = args.index("-o")
        del args[i:i + 2]
    args = [a for a in args if a != "-c"] + ["-M", "-MT", "x"]
    deps = subprocess.run(args, cwd=c["directory"], capture_output=True, text=True, check=True).stdout
    deps = deps.replace("\\\n", " ").split()[1:]
    name = c["file"][len(source) + 1:]
    bad = [d for d in deps if gui.search(d) and not allowed.search(d)]
    if name.startswith("compiler/"):
        bad += [d for d in deps if d.startswith(source + "/settings/") or d.startswith(source + "/app/")]
    for d in bad:
        print("check-layers: %s includes %s" % (name, d))
    failures += bool(bad)
print("check-layers: %d files of the GUI-free library, %d reach what they must not" % (len(core), failures))
sys.exit(1 if failures else 0)
PY
