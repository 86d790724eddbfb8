#!/usr/bin/env python3
"""Before and after in one run.

Builds the benchmarks of the Gantt report (bench/reports), of the first
open of an older database (bench/data/firstopen_bench.cpp), of the first chart
build after "Show all" (bench/visualize), of one task added and of Done on a
task of a busy resource (bench/tasks) twice: on a base commit and on the
working tree, with the benchmark sources of the working
tree in both, so that both sides measure the same thing. Then runs every
benchmark in a process of its own, the two sides taking turns round by
round, and prints one table: wall time, the benchmark's own time, peak
memory of the process (measured from outside), and the benchmark's counters.

    bench/reports/before-after.py [--base main] [--rounds 3]

The before tree is built in build-compare/ (ignored by git) with the same
compiler cache, so a second run costs only the runs.
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TOP = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                     check=True).stdout.strip()

# Benchmark sources copied into the before tree: the benchmarks, and the test
# helpers they build their fixtures with.
SHARED_SOURCES = [
    "bench/reports/reports_bench.cpp",
    "bench/reports/ganttprint_tool.cpp",
    "bench/reports/CMakeLists.txt",
    "bench/data/firstopen_bench.cpp",
    "bench/data/CMakeLists.txt",
    "tests/data/services/olderdatabase.h",
    "tests/support/synccountingfs.h",
    "tests/data/services/scratchinstallation.h",
    "tests/reports/reportfixture.h",
    "bench/visualize/chartbuild_bench.cpp",
    "bench/visualize/workingcopy.h",
    "bench/tasks/taskeditor_bench.cpp",
    "bench/tasks/overlap_bench.cpp",
    "bench/tasks/editorbench.h",
    "bench/tasks/CMakeLists.txt",
    "bench/app/addtask_bench.cpp",
    "bench/app/largeschedule.h",
    "bench/app/CMakeLists.txt",
]

# (program, benchmark filter, what the user waits for)
CASES = [
    ("bench/reports/reports_bench", "WholePdf/Gantt/",
     "Gantt report to PDF: 5,000 rows drawn, no restriction, Letter"),
    ("bench/reports/reports_bench", "GanttImages/", "Gantt report, first pass (printer.dbf written)"),
    ("bench/reports/reports_bench", "WholePdf/TextSchedule/", "text schedule of 5,000 tasks to PDF"),
    ("bench/reports/reports_bench", "WholePdf/BarChart/", "bar chart of 5,000 tasks to PDF"),
    ("bench/data/tw_firstopen_bench", "FirstOpenOfOlderDatabase",
     "first open of an older database, 5,000 tasks on 20 resources"),
    ("bench/visualize/tw_visualize_bench", "FirstBuildAfterShowAll/5000/",
     "first chart build after Show all: 5,000 records, 9,080 rows drawn"),
    ("bench/visualize/tw_visualize_bench", "FirstBuildAfterShowAll/20000/",
     "first chart build after Show all: 20,000 records, 36,360 rows drawn"),
    ("bench/tasks/tw_taskeditor_bench", "AddATask/1000/", "Done on a new task, 1,000 tasks"),
    ("bench/tasks/tw_taskeditor_bench", "AddATask/5000/", "Done on a new task, 5,000 tasks"),
    ("bench/tasks/tw_taskeditor_bench", "AddATask/20000/", "Done on a new task, 20,000 tasks"),
    ("bench/app/tw_addtask_bench", "AddATask/500/",
     "Done on a new task through the main window, 500 tasks, to the repaint"),
    ("bench/app/tw_addtask_bench", "AddATask/5000/",
     "Done on a new task through the main window, 5,000 tasks, to the repaint"),
    ("bench/app/tw_addtask_bench", "AddATask/20000/",
     "Done on a new task through the main window, 20,000 tasks, to the repaint"),
    ("bench/app/tw_addtask_bench", "AddWeeklySeriesOf52/20000/",
     "a weekly series of 52 through the main window, 20,000 tasks"),
    ("bench/tasks/tw_overlap_bench", "DoneOnATaskOfABusyResource/100/",
     "Done on a task of a resource with 100 tasks"),
    ("bench/tasks/tw_overlap_bench", "DoneOnATaskOfABusyResource/5000/",
     "Done on a task of a resource with 5,000 tasks"),
    ("bench/tasks/tw_overlap_bench", "DoneOnATaskOfABusyResource/20000/",
     "Done on a task of a resource with 20,000 tasks"),
]
# ganttprint_tool: for bench/reports/gantt-outside.sh, which times both trees
# from outside.
TARGETS = ["reports_bench", "tw_firstopen_bench", "ganttprint_tool", "tw_visualize_bench",
           "tw_taskeditor_bench", "tw_overlap_bench", "tw_addtask_bench"]


def run(cmd, **kw):
    print("+", " ".join(cmd), file=sys.stderr)
    subprocess.run(cmd, check=True, **kw)


def build(source, build_dir, targets=None):
    env = dict(os.environ, CCACHE_DIR="/work/ccache", CCACHE_BASEDIR="/work", CCACHE_NOHASHDIR="1")
    if not os.path.exists(os.path.join(build_dir, "build.ninja")):
        run(["cmake", "-S", source, "-B", build_dir, "-G", "Ninja",
             "-DTARNWICK_BUILD_TESTS=ON", "-DTARNWICK_BUILD_BENCHMARKS=ON",
             "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"], env=env)
    run(["cmake", "--build", build_dir, "-j3", "--target"] + (targets or TARGETS), env=env)


def measure(build_dir, program, pattern, folder):
    """One benchmark in a process of its own: its JSON and the process's peak memory."""
    out = os.path.join(folder, "result.json")
    peak_file = os.path.join(folder, "peak")
    started = time.monotonic()
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak_file, os.path.join(build_dir, program),
                    "--benchmark_filter=" + pattern, "--benchmark_out=" + out,
                    "--benchmark_out_format=json"],
                   check=True, stdout=subprocess.DEVNULL, cwd=folder,
                   env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    wall = time.monotonic() - started
    with open(peak_file) as f:
        peak = int(f.read().split()[-1]) / 1024  # kilobytes
    with open(out) as f:
        result = json.load(f)["benchmarks"][0]
    counters = {k: v for k, v in result.items()
                if k not in ("name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
                             "iterations", "real_time", "cpu_time", "time_unit", "family_index",
                             "per_family_instance_index", "aggregate_name", "error_occurred",
                             "error_message")}
    if result.get("error_occurred"):
        counters["error"] = result.get("error_message")
    ms = result["real_time"] * {"ms": 1, "us": 1e-3, "ns": 1e-6, "s": 1e3}[result["time_unit"]]
    # The whole process's peak, fixture included (the benchmark's own
    # peak_MB counter says the same from inside).
    counters.pop("peak_MB", None)
    return {"wall": wall, "ms": ms, "peak": peak, "counters": counters}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--base", default="main")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--only", default="", help="run only the benchmarks whose filter contains this")
    parser.add_argument("--after-build", default=os.path.join(TOP, "build"))
    args = parser.parse_args()

    compare = os.path.join(TOP, "build-compare")
    before_src = os.path.join(compare, "before-src")
    shutil.rmtree(before_src, ignore_errors=True)
    os.makedirs(before_src)
    archive = subprocess.run(["git", "-C", TOP, "archive", args.base], capture_output=True, check=True).stdout
    subprocess.run(["tar", "-x", "-C", before_src], input=archive, check=True)
    for path in SHARED_SOURCES:
        shutil.copy(os.path.join(TOP, path), os.path.join(before_src, path))
    sides = {"before": os.path.join(compare, "before"), "after": args.after_build}
    cases = [case for case in CASES if args.only in case[1]]
    # Only the programs of the chosen benchmarks (and the Gantt tool of a full run).
    targets = sorted({os.path.basename(case[0]) for case in cases}
                     | (set(TARGETS) if not args.only else set()))
    build(before_src, sides["before"], targets)
    build(TOP, sides["after"], targets)

    results = {(side, case[1]): [] for side in sides for case in cases}
    with tempfile.TemporaryDirectory() as folder:
        for _ in range(args.rounds):
            for case in cases:
                for side, build_dir in sides.items():
                    results[(side, case[1])].append(measure(build_dir, case[0], case[1], folder))

    print(f"\nBefore = {args.base}, after = the working tree; median of {args.rounds} rounds, "
          "each run a process of its own, the sides taking turns.\n")
    print(f"{'what the user waits for':64} {'side':7} {'time ms':>9} {'peak MB':>8}  counters")
    for case in cases:
        for side in sides:
            runs = results[(side, case[1])]
            ms = statistics.median(r["ms"] for r in runs)
            peak = f"{max(r['peak'] for r in runs):8.0f}"
            counters = ", ".join(f"{k} {v:.0f}" if isinstance(v, (int, float)) else f"{k} {v}"
                                 for k, v in runs[-1]["counters"].items())
            print(f"{case[2]:64} {side:7} {ms:9.0f} {peak}  {counters}")


if __name__ == "__main__":
    main()
