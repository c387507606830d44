#!/usr/bin/env bash
# Start-up as a user sees it (process start to the first window mapped on Xvfb, and peak resident
# memory), for the program and for the floor program, interleaved over several runs after a
# warm-up; then the in-process figures. Usage: run-bench.sh BUILD_DIRECTORY [RUNS]
set -euo pipefail
build=$1
runs=${2:-9}
here=$(dirname "$0")
. "$here/../tests/support/xvfb.sh"
own_display
work=$WORK
unset QT_QPA_PLATFORM

program=$build/src/capacita
floor=$build/bench/bench_floor
mapped=$build/bench/bench_mapped

"$mapped" "$program" >/dev/null
"$mapped" "$floor" >/dev/null
for i in $(seq "$runs"); do
  "$mapped" "$program" >>"$work/program"
  "$mapped" "$floor" >>"$work/floor"
done

median() { # file key
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
pm=$(median "$work/program" mapped_ms); fm=$(median "$work/floor" mapped_ms)
pk=$(median "$work/program" peak_kib); fk=$(median "$work/floor" peak_kib)
echo "Start-up on Xvfb, median of $runs runs each, interleaved, after a warm-up ($(nproc) cores, $(uname -m)):"
echo
echo "| what | program | floor | ratio | target |"
echo "|---|---|---|---|---|"
awk -v p="$pm" -v f="$fm" 'BEGIN { printf "| start to main menu mapped | %.1f ms | %.1f ms | %.2f | ≤ 1.25 |\n", p, f, p / f }'
awk -v p="$pk" -v f="$fk" 'BEGIN { printf "| peak resident memory | %.1f MiB | %.1f MiB | %.2f | ≤ 1.15 |\n", p / 1024, f / 1024, p / f }'
/usr/bin/python3 "$here/voce.py" "$program" "$runs"
echo
echo "In process, offscreen:"
echo
"$build/bench/bench_capacita"
