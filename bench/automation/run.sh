#!/usr/bin/env bash
# Labels per second through IDispatch from another process under Wine, against CHandle gets
# and one-call command-line runs in the same session. Registers Zerbo.exe in the prefix.
#
#   bench/automation/run.sh [LABELS]        (default 200; builds the Windows tree first)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
n=${1:-200}
[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target Zerbo automation_bench >/dev/null
out=$(mktemp -d /tmp/zerbo-automation-bench.XXXXXX)
trap 'rm -rf "$out"' EXIT
scripts/wine --display bash -c "wine build/windows/Zerbo.exe /REGSERVER && \
  wine build/windows/bench/automation_bench.exe build/windows/Zerbo.exe 'Z:${out//\//\\}' $n 2>/dev/null"
