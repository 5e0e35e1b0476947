#!/usr/bin/env bash
# One batch call of Zerbo.exe end to end under Wine (a JAN symbol saved as a bitmap, then the
# end, settings written) against starting a trivial Win32 program, alternating the two N
# times in one Wine session; then N hand-offs to a running Zerbo (a second start with the
# same options, from its start to the file saved by the running one). Prints the medians and
# the share of Wine's start-up that the program's own work adds: (zerbo - trivial) / trivial.
#
#   bench/batch/run.sh [N]        (default 15; builds the Windows tree first)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
n=${1:-15}

[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target Zerbo trivial_win32 >/dev/null

out=$(mktemp -d /tmp/zerbo-batch-bench.XXXXXX)
trap 'rm -rf "$out"' EXIT

scripts/wine --display bash -s "$n" "$out" <<'SCRIPT'
set -euo pipefail
n=$1 out=$2
# One wineserver for the whole run, so neither side pays for starting it.
wineserver -p
wine build/windows/bench/trivial_win32.exe
wine build/windows/Zerbo.exe 4901234567894 /JAN /EXIT   # warm-up: prefix and settings file
ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
save="Z:${out//\//\\}\\BENCH.BMP"
for ((i = 0; i < n; i++)); do
  t=$(date +%s%N); wine build/windows/bench/trivial_win32.exe; ms "$t" >>"$out/trivial"
  rm -f "$out/BENCH.BMP"
  t=$(date +%s%N); wine build/windows/Zerbo.exe 4901234567894 /JAN "/SAVE:$save" /EXIT; ms "$t" >>"$out/zerbo"
  [ -s "$out/BENCH.BMP" ] || { echo "Zerbo.exe saved no file" >&2; exit 1; }
done
# Hand-offs: the same call as a second start, measured until the running Zerbo has saved.
wine build/windows/Zerbo.exe & first=$!
until wine build/windows/Zerbo.exe /JAN 4901234567894 2>/dev/null; do sleep 0.1; done
for ((i = 0; i < n; i++)); do
  rm -f "$out/BENCH.BMP"
  t=$(date +%s%N); wine build/windows/Zerbo.exe 4901234567894 /JAN "/SAVE:$save"
  until [ -s "$out/BENCH.BMP" ]; do sleep 0.002; done; ms "$t" >>"$out/handoff"
done
wine build/windows/Zerbo.exe /EXIT
wait "$first"
wineserver -k
SCRIPT

median() { sort -n "$1" | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
trivial=$(median "$out/trivial")
zerbo=$(median "$out/zerbo")
handoff=$(median "$out/handoff")
echo "runs:                         $n of each"
echo "trivial Win32 program:        median $trivial ms"
echo "Zerbo.exe one batch call:     median $zerbo ms"
echo "hand-off to a running Zerbo:  median $handoff ms"
awk -v t="$trivial" -v z="$zerbo" -v h="$handoff" 'BEGIN {
  printf "ratio zerbo / trivial:        %.2f\nadded by Zerbo / Wine start:  %.2f (goal below 0.50)\n", z / t, (z - t) / t
  printf "ratio hand-off / trivial:     %.2f\nadded by hand-off / start:    %.2f (goal below 0.50)\n", h / t, (h - t) / t }'
