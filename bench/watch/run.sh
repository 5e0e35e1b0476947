#!/usr/bin/env bash
# The clipboard watch's round trip under Wine: another program copies a text, Zerbo puts its
# symbol in its place; the same round trip through a trivial clipboard listener in the same
# Wine session. Prints both medians and the ratio.
#
#   bench/watch/run.sh [ROUNDS]        (default 50; builds the Windows tree first)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
n=${1:-50}
[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target Zerbo clipboard_listener watch_bench >/dev/null
scripts/wine build/windows/bench/watch_bench.exe build/windows/Zerbo.exe build/windows/bench/clipboard_listener.exe "$n"
