#!/usr/bin/env bash
# Times the Gantt report of the real main window from outside: a schedule of
# N tasks on 20 resources, the program started on it, "Show all" with every
# task a row on Visualize, the print dialog's Gantt chart saved as PDF
# (ganttprint_tool print, one process per run). For each run: the wall time
# and peak memory of the whole process (/usr/bin/time), the program's own
# step times, the PDF's size and what printer.dbt holds afterwards (the
# last two of the steps).
#
#   bench/reports/gantt-outside.sh [-r rounds] [-n "5000 20000"] build [build-compare/before ...]
#
# Several build folders take turns round by round (the before tree that
# bench/reports/before-after.py builds, say); each needs the target
# ganttprint_tool. The schedules are made once, by the first build's tool,
# in build-compare/gantt-outside/.
set -euo pipefail

rounds=3
sizes="5000 20000"
while getopts "r:n:" option; do
  case $option in
    r) rounds=$OPTARG ;;
    n) sizes=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: $0 [-r rounds] [-n sizes] build-folder..." >&2; exit 2; }

top=$(git rev-parse --show-toplevel)
work=$top/build-compare/gantt-outside
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

tool() { echo "$1/bench/reports/ganttprint_tool"; }
for build in "$@"; do
  [ -x "$(tool "$build")" ] || { echo "$(tool "$build") is missing: build the target ganttprint_tool" >&2; exit 1; }
done

for n in $sizes; do
  if [ ! -d "$work/schedule-$n" ]; then
    "$(tool "$1")" make "$work/schedule-$n" "$n" >&2
  fi
done

printf '%-28s %7s %8s %8s %9s  %s\n' build tasks "wall s" "peak MB" "PDF MB" "steps"
for n in $sizes; do
  for round in $(seq "$rounds"); do
    for build in "$@"; do
      # A copy of the schedule for each run: a run leaves the folder as a
      # user's session would (bars written back, printer.dbf filled).
      run=$work/run
      rm -rf "$run"
      cp -a "$work/schedule-$n" "$run"
      /usr/bin/time -f "%e %M" -o "$work/time" "$(tool "$build")" print "$run" "$work/gantt.pdf" \
        2> "$work/steps"
      read -r wall peak < "$work/time"
      steps=$(grep -E '^start ' "$work/steps" || tail -1 "$work/steps")
      pdf=$(stat -c %s "$work/gantt.pdf")
      awk -v b="${build#"$top"/}" -v n="$n" -v w="$wall" -v p="$peak" -v f="$pdf" -v s="$steps" \
        'BEGIN { printf "%-28s %7s %8s %8.0f %9.1f  %s\n", b, n, w, p / 1024, f / 1048576, s }'
    done
  done
done
rm -rf "$work/run"
