#!/usr/bin/env bash
# Start-up of the Windows program under Wine as a user sees it: from starting it to its main menu
# mapped on Xvfb, the median of several runs after a warm-up, in a Wine prefix of the run's own.
# Programs named together are run interleaved, so that two builds (before and after a change to
# Qt for Windows, say) are compared at the same moment on the same machine.
# Usage: run-bench-wine.sh LINUX_BUILD_DIRECTORY PROGRAM.exe [PROGRAM.exe ...]   (RUNS=9)
set -euo pipefail
build=$1
shift
runs=${RUNS:-9}
here=$(cd "$(dirname "$0")" && pwd)
cmake --build "$build" --target bench_mapped >/dev/null
mapped=$(cd "$build" && pwd)/bench/bench_mapped
. "$here/../tests/support/xvfb.sh"
. "$here/../tests/windows/wine.sh"
own_display
own_wine_prefix
unset QT_QPA_PLATFORM

for program in "$@"; do
  "$mapped" wine "$program" >/dev/null
done
for i in $(seq "$runs"); do
  for n in $(seq $#); do
    "$mapped" wine "${!n}" >>"$WORK/program-$n"
  done
done

echo "Start-up under $(wine --version) on Xvfb, median of $runs runs each, interleaved, after a warm-up ($(nproc) cores):"
echo
echo "| program | size | start to main menu mapped |"
echo "|---|---|---|"
for n in $(seq $#); do
  ms=$(sed -n 's/.*mapped_ms=\([0-9.]*\).*/\1/p' "$WORK/program-$n" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
  echo "| ${!n} | $(stat -c %s "${!n}") bytes | $ms ms |"
done
