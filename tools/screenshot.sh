#!/usr/bin/env bash
# Pictures of Velcaro's windows under Xvfb: tools/screenshot.sh BUILD_DIR OUT_DIR
# Saves main.png, about.png and splash.png at 100 % and, in OUT_DIR/150, at 150 %.
set -euo pipefail
build="${1:-build}"
out="${2:-/tmp/velcaro-shots}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The tool works on a copy: the calculation rewrites the result tables.
cp -r "$build/Velcaro" "$work/Velcaro"
xvfb-run -a -s "-screen 0 1600x1200x24" "$build/tools/velcaro-screenshot" "$out" "$work/Velcaro"
QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 1600x1200x24" "$build/tools/velcaro-screenshot" "$out/150" "$work/Velcaro"
