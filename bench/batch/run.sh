#!/usr/bin/env bash
# One batch call of Zerbo.exe end to end under Wine (a JAN symbol saved as a bitmap, then the
# end, settings written) against starting a trivial Win32 program, alternating the two N
# times in one Wine session. Prints both medians and the share of Wine's start-up that the
# program's own work adds: (zerbo - trivial) / trivial.
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
wineserver -k
SCRIPT

median() { sort -n "$1" | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
trivial=$(median "$out/trivial")
zerbo=$(median "$out/zerbo")
echo "runs:                         $n of each, alternating"
echo "trivial Win32 program:        median $trivial ms"
echo "Zerbo.exe one batch call:     median $zerbo ms"
awk -v t="$trivial" -v z="$zerbo" 'BEGIN { printf "ratio zerbo / trivial:        %.2f\nadded by Zerbo / Wine start:  %.2f (goal below 0.50)\n", z / t, (z - t) / t }'
