#!/usr/bin/env bash
# Takes pictures of the Dorvik window under a virtual X display:
#   tests/dorvik/screenshot.sh <build dir> [output folder]
set -euo pipefail
build="${1:?build dir}"
out="${2:-$build}"
cmake --build "$build" --target dorvik_screenshot -j2
exe="$(find "$build" -name dorvik_screenshot -type f -perm -u+x | head -n1)"
xvfb-run -a -s "-screen 0 1024x768x24" "$exe" "$out/dorvik-working.png" "$out/dorvik-not-installed.png"
echo "$out/dorvik-working.png $out/dorvik-not-installed.png"
