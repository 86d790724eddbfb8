#!/usr/bin/env bash
# Times the real main window from outside on a schedule of N tasks on 20
# resources (jobs of N/20 tasks under 20 customers): the program started on
# it, "Show all" and "Individual tasks" ticked (every task a row on
# Visualize: N + 20 rows), then
#   -c print (the default): the print dialog's Gantt chart saved as PDF;
#   -c show: the Visualize page painted once (start to a drawn Visualize).
# One process per run (ganttprint_tool). For each run: the wall time and peak
# memory of the whole process (/usr/bin/time), the program's own step times
# (with -c show the time from the process's start to the painted page, "drawn
# ... after the process started", and the closing: the wall time holds both),
# and after a print the PDF's size and what printer.dbt holds.
#
#   bench/reports/gantt-outside.sh [-c print|show] [-r rounds] [-n "5000 20000"] build [build-compare/before ...]
#
# Several build folders take turns round by round (the before tree that
# bench/reports/before-after.py builds, say); each needs the target
# ganttprint_tool. The schedules are made once by the first build's tool, then
# opened once by each build's own tool (a user's schedule has been opened and
# closed before by the program that opens it now: what its closing left is
# what its start finds), and kept as one archive per build for the script's
# run in build-compare/gantt-outside/; every run starts from a fresh copy at the same
# place, because the database keeps its folder's full name.
set -euo pipefail

command=print
rounds=3
sizes="5000 20000"
while getopts "c:r:n:" option; do
  case $option in
    c) command=$OPTARG ;;
    r) rounds=$OPTARG ;;
    n) sizes=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: $0 [-c print|show] [-r rounds] [-n sizes] build-folder..." >&2; exit 2; }

top=$(git rev-parse --show-toplevel)
work=$top/build-compare/gantt-outside
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

tool() { echo "$1/bench/reports/ganttprint_tool"; }
for build in "$@"; do
  [ -x "$(tool "$build")" ] || { echo "$(tool "$build") is missing: build the target ganttprint_tool" >&2; exit 1; }
done

# The archive of the schedule as the build's own program left it.
archive() { echo "$work/schedule-$2-$(echo "${1#"$top"/}" | tr / _).tar"; }
for n in $sizes; do
  if [ ! -f "$work/schedule-$n.tar" ]; then
    rm -rf "$work/schedule-$n"
    "$(tool "$1")" make "$work/schedule-$n" "$n" >&2
    tar -C "$work" -cf "$work/schedule-$n.tar" "schedule-$n"
  fi
  for build in "$@"; do
    if [ ! -f "$(archive "$build" "$n")" ]; then
      rm -rf "$work/schedule-$n"
      tar -C "$work" -xf "$work/schedule-$n.tar"
      "$(tool "$build")" show "$work/schedule-$n" >&2
      tar -C "$work" -cf "$(archive "$build" "$n")" "schedule-$n"
    fi
  done
done

printf '%-28s %7s %8s %8s %9s  %s\n' build tasks "wall s" "peak MB" "PDF MB" "steps"
for n in $sizes; do
  for round in $(seq "$rounds"); do
    for build in "$@"; do
      rm -rf "$work/schedule-$n" "$work/gantt.pdf"
      tar -C "$work" -xf "$(archive "$build" "$n")"
      args=(show "$work/schedule-$n")
      [ "$command" = print ] && args=(print "$work/schedule-$n" "$work/gantt.pdf")
      /usr/bin/time -f "%e %M" -o "$work/time" "$(tool "$build")" "${args[@]}" 2> "$work/steps"
      read -r wall peak < "$work/time"
      steps=$(grep -E '^start ' "$work/steps" || tail -1 "$work/steps")
      pdf=$(stat -c %s "$work/gantt.pdf" 2>/dev/null || echo 0)
      awk -v b="${build#"$top"/}" -v n="$n" -v w="$wall" -v p="$peak" -v f="$pdf" -v s="$steps" \
        'BEGIN { printf "%-28s %7s %8s %8.0f %9.1f  %s\n", b, n, w, p / 1024, f / 1048576, s }'
    done
  done
done
rm -rf "$work"/schedule-*/ "$work"/schedule-*-*.tar "$work/gantt.pdf"
