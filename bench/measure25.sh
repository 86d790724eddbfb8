#!/usr/bin/env bash
# What a user waits for, measured in one run and printed as one table: the
# Gantt report, the first open, the first chart build after "Show all", Done
# in the task editor, start to a drawn Visualize, and the figures that must
# not get worse (reopen, restriction, text and bar-chart reports, start-up,
# chart build, Done on an edited task).
#
#   bench/measure25.sh [-r rounds] [-q] build-folder [build-folder ...]
#
# Each build folder needs the targets tw_startup_bench tw_visualize_bench
# tw_query_bench tw_taskeditor_bench tw_firstopen_bench reports_bench
# ganttprint_tool (tw_overlap_bench too where it has one). Every benchmark
# runs in a process of its own, the build folders taking turns round by
# round; the outside timings of the real program come from
# bench/reports/gantt-outside.sh, which alternates the folders the same way.
# Times are the median of the rounds with the lowest and highest in
# brackets; peak memory is the highest of the whole process (fixture
# included). -q leaves out the outside timing at 50,000 tasks (minutes per
# round). Not part of scripts/test: it takes a quarter of an hour or more.
set -euo pipefail

rounds=3
quick=0
while getopts "r:q" option; do
  case $option in
    r) rounds=$OPTARG ;;
    q) quick=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { echo "usage: $0 [-r rounds] [-q] build-folder..." >&2; exit 2; }

# The repository whose gantt-outside.sh is used: this script's own, or the
# one the current folder is in.
top=$(cd "$(dirname "$0")" && git rev-parse --show-toplevel 2>/dev/null) || top=$(git rev-parse --show-toplevel)
builds=()
for build in "$@"; do
  builds+=("$(cd "$build" && pwd)")
done

exec python3 - "$top" "$rounds" "$quick" "${builds[@]}" <<'PYTHON'
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

top, rounds, quick, builds = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1", sys.argv[4:]

# (goal, program, benchmark filter, what the user waits for). Cases of one
# program that share a fixture run in one process (their filters joined);
# the peak memory is then that process's.
CASES = [
    ("gantt", "bench/reports/reports_bench", "WholePdf/Gantt/",
     "Gantt report of 5,000 tasks to PDF (in process)"),
    ("first", "bench/data/tw_firstopen_bench", "FirstOpenOfOlderDatabase",
     "first open of an older database, 5,000 / 20,000 / 50,000 tasks"),
    ("show", "bench/visualize/tw_visualize_bench", "FirstBuildAfterShowAll/5000/",
     "Show all then Visualize, 5,000 tasks (9,080 rows)"),
    ("show", "bench/visualize/tw_visualize_bench", "FirstBuildAfterShowAll/20000/",
     "Show all then Visualize, 20,000 tasks (36,360 rows)"),
    ("done", "bench/tasks/tw_taskeditor_bench", "AddATask/1000/|AddATask/5000/|AddATask/20000/",
     "Done on a new task, 1,000 / 5,000 / 20,000 tasks"),
    ("done", "bench/tasks/tw_overlap_bench", "DoneOnATaskOfABusyResource/|OverlapCheck/",
     "Done on a task of a resource with 100 / 5,000 / 20,000 tasks, and its overlap check alone"),
    ("keep", "bench/reports/reports_bench", "WholePdf/TextSchedule/|WholePdf/BarChart/",
     "text schedule and bar chart of 5,000 tasks to PDF"),
    ("keep", "bench/query/tw_query_bench", "ResourceRestriction/",
     "resource restriction, 20,000 records, without / with the chart"),
    ("keep", "bench/app/tw_startup_bench", "StartupToVisualizePage/",
     "start-up to Visualize, 5,000 tasks (in process)"),
    ("keep", "bench/visualize/tw_visualize_bench", "FullChartBuild/20000",
     "chart build, 20,000 records"),
    ("keep", "bench/tasks/tw_taskeditor_bench", "DoneOnAnEditedTask",
     "Done on an edited task, 20,000 records"),
]
GOALS = {
    "gantt": "Gantt report: under 5 s, peak under 150 MB, PDF under 20 MB, printer.dbt empty",
    "first": "First open: under 1 s, a handful of fdatasync calls per table",
    "show": "Show all then Visualize: 5,000 under 0.5 s, 20,000 under 2 s",
    "done": "Done: under 30 ms at 20,000 tasks, flat",
    "start": "Start to a drawn Visualize: 5,000 under 0.5 s, 50,000 under 3 s, peak at 5,000 <= 70 MB",
    "keep": "No regression (within 5%)",
}
SKIP = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads", "iterations",
        "real_time", "cpu_time", "time_unit", "family_index", "per_family_instance_index",
        "aggregate_name", "error_occurred", "error_message"}


def measure(build, program, pattern, folder):
    """The benchmarks that pattern picks, in one process: {name: result}, and the process's peak."""
    exe = os.path.join(build, program)
    if not os.path.exists(exe):
        return None
    out = os.path.join(folder, "result.json")
    peak_file = os.path.join(folder, "peak")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_file, exe, "--benchmark_filter=" + pattern,
                    "--benchmark_out=" + out, "--benchmark_out_format=json"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=folder,
                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    with open(peak_file) as f:
        peak = int(f.read().split()[-1]) / 1024
    try:
        with open(out) as f:
            results = json.load(f)["benchmarks"]
    except (OSError, ValueError, KeyError):
        print(f"{exe} ran no benchmark named {pattern}", file=sys.stderr)
        return None
    finally:
        if os.path.exists(out):
            os.remove(out)
    got = {}
    for result in results:
        scale = {"ms": 1, "us": 1e-3, "ns": 1e-6, "s": 1e3}[result["time_unit"]]
        counters = {k: v for k, v in result.items() if k not in SKIP}
        if result.get("error_occurred"):
            counters["error"] = result.get("error_message")
        got[result["name"].removeprefix("BM_")] = {"ms": result["real_time"] * scale,
                                                   "cpu": result["cpu_time"] * scale, "peak": peak,
                                                   "counters": counters, "unit": result["time_unit"]}
    return got


def outside(command, sizes):
    """gantt-outside.sh over every build: {(build, tasks): [(wall s, peak MB, PDF MB, steps)]}."""
    script = os.path.join(top, "bench", "reports", "gantt-outside.sh")
    done = subprocess.run([script, "-c", command, "-r", str(rounds), "-n", sizes] + builds, cwd=top,
                          capture_output=True, text=True)
    if done.returncode != 0:
        print(done.stderr, file=sys.stderr)
        return {}
    runs = {}
    for line in done.stdout.splitlines():
        m = re.match(r"^(\S+)\s+(\d+)\s+([\d.]+)\s+(\d+)\s+([\d.]+)\s+(.*)$", line)
        if not m:
            continue
        label = m.group(1)
        build = next((b for b in builds if b == label or b.endswith("/" + label)), label)
        runs.setdefault((build, int(m.group(2))), []).append(
            (float(m.group(3)), float(m.group(4)), float(m.group(5)), m.group(6)))
    return runs


def spread(values, fmt):
    values = sorted(values)
    med = statistics.median(values)
    if len(values) == 1 or values[0] == values[-1]:
        return fmt.format(med)
    return (fmt + " [" + fmt + "-" + fmt + "]").format(med, values[0], values[-1])


def step(steps, name):
    m = re.search(name + r" (\d+) ms", steps)
    return int(m.group(1)) if m else None


started = time.monotonic()
results = {}
with tempfile.TemporaryDirectory() as folder:
    for r in range(rounds):
        for goal, program, pattern, _ in CASES:
            for build in builds:
                began = time.monotonic()
                for name, got in (measure(build, program, pattern, folder) or {}).items():
                    results.setdefault((build, name), []).append(got)
                    print(f"  {name} {os.path.relpath(build, top)}: {got['ms']:.3f} ms, {got['peak']:.0f} MB",
                          file=sys.stderr)
                print(f"{os.path.basename(program)} {pattern} took {time.monotonic() - began:.0f} s",
                      file=sys.stderr)
        print(f"round {r + 1} of the benchmarks done after {time.monotonic() - started:.0f} s", file=sys.stderr)
raw = os.path.join(tempfile.gettempdir(), f"measure25-{os.getpid()}.json")
with open(raw, "w") as f:
    json.dump({"builds": builds, "results": [[b, n, runs] for (b, n), runs in results.items()]}, f)
print(f"the benchmarks' own figures: {raw}", file=sys.stderr)
printed = outside("print", "5000")
print(f"Gantt from outside done after {time.monotonic() - started:.0f} s", file=sys.stderr)
shown = outside("show", "5000 20000" if quick else "5000 20000 50000")
print(f"start to Visualize from outside done after {time.monotonic() - started:.0f} s", file=sys.stderr)

names = {b: os.path.relpath(b, top) if b.startswith(top + "/") else b for b in builds}
width = max(len(n) for n in names.values())
load = open("/proc/loadavg").read().split()[:3]
print(f"\n{rounds} rounds, every benchmark a process of its own, the builds taking turns; "
      f"load average at the end {' '.join(load)}.")
print("Times: wall time of the benchmark, median [lowest-highest] of the rounds (cpu: the median of its "
      "processor time; the difference is mostly waiting for the disk); peak: the highest of the whole "
      "process.\n")
header = f"{'what the user waits for':52} {'build':{width}} {'time':>26} {'peak MB':>8}  more"
for goal in ["gantt", "first", "show", "done", "start", "keep"]:
    print(f"\n## {GOALS[goal]}")
    print(header)
    if goal == "gantt":
        for build in builds:
            runs = printed.get((build, 5000), [])
            if runs:
                dbt = re.search(r"printer.dbt (\d+) bytes", runs[-1][3])
                pages = re.search(r"(\d+) pages", runs[-1][3])
                pdf = [step(x[3], "gantt pdf") for x in runs]
                print(f"{'Gantt report, 5,000 tasks, real program (s)':52} {names[build]:{width}} "
                      f"{spread([x[0] for x in runs], '{:.2f}'):>26} {max(x[1] for x in runs):8.0f}  "
                      f"PDF {runs[-1][2]:.1f} MB, {pages.group(1) if pages else '?'} pages, printer.dbt "
                      f"{dbt.group(1) if dbt else '?'} bytes after, the report step "
                      f"{spread([p for p in pdf if p is not None], '{:.0f}') if any(pdf) else '?'} ms")
    if goal == "start":
        for tasks in (5000, 20000, 50000):
            for build in builds:
                runs = shown.get((build, tasks), [])
                if runs:
                    starts = [step(x[3], "start") for x in runs]
                    print(f"{f'start to a drawn Visualize, {tasks:,} tasks (s)':52} {names[build]:{width}} "
                          f"{spread([x[0] for x in runs], '{:.2f}'):>26} {max(x[1] for x in runs):8.0f}  "
                          f"reopen (window open) {spread([s for s in starts if s is not None], '{:.0f}')} ms; "
                          f"{runs[-1][3]}")
        continue
    for case_goal, program, pattern, label in CASES:
        if case_goal != goal:
            continue
        names_run = sorted({name for (_, name) in results
                            if any(re.search(p, name) for p in pattern.split("|"))},
                           key=lambda n: (re.sub(r"/\d+.*", "", n), int((re.findall(r"/(\d+)", n) or [0])[0])))
        print(f"{label}")
        for name in names_run:
            for build in builds:
                runs = results.get((build, name))
                if not runs:
                    continue
                unit = runs[-1]["unit"]
                factor = {"ms": 1, "us": 1000, "ns": 1e6, "s": 1e-3}[unit]
                times = [r["ms"] * factor for r in runs]
                cpu = statistics.median(r["cpu"] * factor for r in runs)
                more = f"cpu {cpu:.3g} {unit}; " + ", ".join(f"{k} {v:.0f}" if isinstance(v, (int, float)) else f"{k} {v}"
                                 for k, v in runs[-1]["counters"].items())
                fmt = "{:.1f}" if max(times) < 100 else "{:.0f}"
                shown_name = re.sub(r"/(iterations|real_time).*", "", name)
                print(f"  {shown_name:50} {names[build]:{width}} {spread(times, fmt) + ' ' + unit:>26} "
                      f"{max(r['peak'] for r in runs):8.0f}  {more}")
PYTHON
