"""Reads INTEROP.dbf, written under a locale with a decimal comma, with
python3-dbfread and compares every value with expected.json."""
import json
import os
import sys

from dbfread import DBF


def main(folder):
    with open(os.path.join(folder, "expected.json")) as f:
        expected = json.load(f)
    rows = list(DBF(os.path.join(folder, "INTEROP.dbf"), load=True).records)
    if len(rows) != len(expected):
        print(f"{len(rows)} records read, {len(expected)} written")
        return 1
    for i, (got, want) in enumerate(zip(rows, expected)):
        day = got["DAY"].isoformat() if got["DAY"] else None
        same = (got["NAME"] == want["NAME"] and abs(got["AMOUNT"] - want["AMOUNT"]) < 1e-9
                and got["QTY"] == want["QTY"] and day == want["DAY"] and bool(got["OK"]) == want["OK"]
                and (got["NOTES"] or "") == want["NOTES"] and got["KEY"] == want["KEY"])
        if not same:
            print(f"row {i}: read {dict(got)}, written {want}")
            return 1
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1]))
    except ValueError as e:  # dbfread refuses a number it cannot parse
        print(f"dbfread: {e}")
        sys.exit(1)
