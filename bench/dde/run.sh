#!/usr/bin/env bash
# Labels per second through one DDE conversation under Wine, against empty executes and
# one-call command-line runs in the same session.
#
#   bench/dde/run.sh [LABELS]        (default 200; builds the Windows tree first)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
n=${1:-200}
[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target Zerbo dde_bench >/dev/null
out=$(mktemp -d /tmp/zerbo-dde-bench.XXXXXX)
trap 'rm -rf "$out"' EXIT
scripts/wine build/windows/bench/dde_bench.exe build/windows/Zerbo.exe "Z:${out//\//\\}" "$n"
