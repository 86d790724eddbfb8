#!/usr/bin/env bash
# Times the start of the real main window to a drawn Visualize page from
# outside: a schedule of N tasks on 20 resources (jobs of N/20 tasks under 20
# customers), the program started on it, "Show all" and "Individual tasks"
# ticked (every task a row: N + 20 rows), the page painted once
# (ganttprint_tool show, one process per run). For each run: the wall time
# and peak memory of the whole process (/usr/bin/time) and the program's own
# step times.
#
#   bench/reports/visualize-outside.sh [-r rounds] [-n "5000 50000"] build [build-compare/before ...]
#
# Several build folders take turns round by round; each needs the target
# ganttprint_tool. The schedules are made once by the first build's tool and
# opened once (as a user's schedule has been before), then kept as archives
# in build-compare/visualize-outside/; each run starts from a fresh copy at
# the same path, because the database keeps its folder's full name.
set -euo pipefail

rounds=3
sizes="5000 50000"
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
work=$top/build-compare/visualize-outside
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

tool() { echo "$1/bench/reports/ganttprint_tool"; }
for build in "$@"; do
  [ -x "$(tool "$build")" ] || { echo "$(tool "$build") is missing: build the target ganttprint_tool" >&2; exit 1; }
done

for n in $sizes; do
  if [ ! -f "$work/schedule-$n.tar" ]; then
    rm -rf "$work/schedule-$n"
    "$(tool "$1")" make "$work/schedule-$n" "$n" >&2
    "$(tool "$1")" show "$work/schedule-$n" >&2
    tar -C "$work" -cf "$work/schedule-$n.tar" "schedule-$n"
  fi
done

printf '%-28s %7s %8s %8s  %s\n' build tasks "wall s" "peak MB" "steps"
for n in $sizes; do
  for round in $(seq "$rounds"); do
    for build in "$@"; do
      rm -rf "$work/schedule-$n"
      tar -C "$work" -xf "$work/schedule-$n.tar"
      /usr/bin/time -f "%e %M" -o "$work/time" "$(tool "$build")" show "$work/schedule-$n" 2> "$work/steps"
      read -r wall peak < "$work/time"
      steps=$(grep -E '^start ' "$work/steps" || tail -1 "$work/steps")
      awk -v b="${build#"$top"/}" -v n="$n" -v w="$wall" -v p="$peak" -v s="$steps" \
        'BEGIN { printf "%-28s %7s %8s %8.0f  %s\n", b, n, w, p / 1024, s }'
    done
  done
done
rm -rf "$work"/schedule-*/
