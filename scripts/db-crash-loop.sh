#!/usr/bin/env bash
# The long crash test of the table engine: a writer of 4 KB records killed
# at random instants during edits, appends, deletes, write batches, packs and
# sorts, many times over (the normal test run kills it a few times), then the
# reader racing a writer, then the writer killed at every I/O step of an
# edit, an append and batches over one and two tables. Every table is checked
# by our engine and by python3-dbfread after every kill.
#   scripts/db-crash-loop.sh [kills, default 300]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TARNWICK_BUILD_DIR:-$ROOT/build}
TEST="$BUILD/tests/platform/db/tw_db_test"
if [ ! -x "$TEST" ]; then
  echo "db-crash-loop: $TEST is missing (build the tests first)" >&2
  exit 1
fi
TW_DB_CRASH_ROUNDS=${1:-300} "$TEST" --gtest_filter='CrashSafety.*:Concurrency.*:StepKill.*'
