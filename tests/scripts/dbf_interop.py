#!/usr/bin/python3
"""Interoperability check of the table engine against independent tools.

1. Tables written by our engine (tw_db_tool interop-write) are read by
   python3-dbfread; every value, memos included, must equal what was written.
2. A dBase III table with a memo file written by another tool is read by our
   engine (tw_db_tool dump). The writer is python3-dbf when it is installed,
   otherwise a few lines of struct code below that follow the dBase III
   layout independently of our C++ code.
"""
import datetime
import json
import os
import struct
import subprocess
import sys
import tempfile
import warnings

warnings.simplefilter("ignore")

TOOL = sys.argv[1]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def engine_to_dbfread(folder):
    import dbfread

    subprocess.run([TOOL, "interop-write", folder], check=True)
    with open(os.path.join(folder, "expected.json")) as f:
        expected = json.load(f)
    table = dbfread.DBF(os.path.join(folder, "INTEROP.dbf"), load=True)
    check("iv" in str(table.dbversion).lower() and "memo" in str(table.dbversion).lower(),
          "version byte is read as dBase IV with memo: %r" % table.dbversion)
    records = list(table.records)
    check(len(records) == len(expected), "record count %d != %d" % (len(records), len(expected)))
    for i, (got, want) in enumerate(zip(records, expected)):
        check(got["NAME"] == want["NAME"], "row %d NAME %r != %r" % (i, got["NAME"], want["NAME"]))
        check(abs(got["AMOUNT"] - want["AMOUNT"]) < 1e-9, "row %d AMOUNT %r != %r" % (i, got["AMOUNT"], want["AMOUNT"]))
        check(got["QTY"] == want["QTY"], "row %d QTY %r != %r" % (i, got["QTY"], want["QTY"]))
        day = got["DAY"].isoformat() if got["DAY"] else None
        check(day == want["DAY"], "row %d DAY %r != %r" % (i, day, want["DAY"]))
        check(bool(got["OK"]) == want["OK"], "row %d OK %r != %r" % (i, got["OK"], want["OK"]))
        check((got["NOTES"] or "") == want["NOTES"], "row %d NOTES %r != %r" % (i, got["NOTES"], want["NOTES"]))
        check(got["KEY"] == want["KEY"], "row %d KEY %r != %r" % (i, got["KEY"], want["KEY"]))
    print("dbfread read %d records written by the engine" % len(records))


ROWS = [
    ("Smith, Ann", 12.5, 3, datetime.date(2026, 12, 1), True, "First memo\r\nsecond line"),
    ("Jones", -7.25, 0, None, False, ""),
    ("Brown", 1234567.0, 42, datetime.date(1999, 2, 28), True, "x" * 1500),
]


def write_db3_with_python_dbf(path):
    import dbf

    t = dbf.Table(path, "NAME C(20); AMOUNT N(10,2); QTY N(4,0); DAY D; OK L; NOTES M", dbf_type="db3")
    t.open(dbf.READ_WRITE)
    for row in ROWS:
        t.append(row)
    t.close()
    return "python3-dbf"


def write_db3_by_hand(path):
    fields = [("NAME", b"C", 20, 0), ("AMOUNT", b"N", 10, 2), ("QTY", b"N", 4, 0), ("DAY", b"D", 8, 0),
              ("OK", b"L", 1, 0), ("NOTES", b"M", 10, 0)]
    reclen = 1 + sum(f[2] for f in fields)
    hlen = 32 + 32 * len(fields) + 1
    memo = bytearray(512)
    records = bytearray()
    for name, amount, qty, day, ok, notes in ROWS:
        block = b" " * 10
        if notes:
            start = len(memo) // 512
            data = notes.encode("cp1252") + b"\x1a\x1a"
            data += b"\0" * (-len(data) % 512)
            memo += data
            block = b"%10d" % start
        rec = b" " + name.encode().ljust(20) + (b"%10.2f" % amount) + (b"%4d" % qty)
        rec += day.strftime("%Y%m%d").encode() if day else b" " * 8
        rec += b"T" if ok else b"F"
        rec += block
        records += rec
    struct.pack_into("<I", memo, 0, len(memo) // 512)
    head = struct.pack("<B3BIHH20x", 0x83, 126, 12, 10, len(ROWS), hlen, reclen)
    for name, typ, width, dec in fields:
        head += struct.pack("<11sc4xBB14x", name.encode(), typ, width, dec)
    head += b"\r"
    with open(path, "wb") as f:
        f.write(head + bytes(records) + b"\x1a")
    with open(path[:-4] + ".dbt", "wb") as f:
        f.write(bytes(memo))
    return "struct code in dbf_interop.py"


def other_tool_to_engine(folder):
    path = os.path.join(folder, "old3.dbf")
    try:
        import dbf  # noqa: F401
        writer = write_db3_with_python_dbf(path)
    except ImportError:
        writer = write_db3_by_hand(path)
    with open(path, "rb") as f:
        check(f.read(1) == b"\x83", "the other tool wrote a dBase III file with memo (0x83)")
    out = subprocess.run([TOOL, "dump", folder, "OLD3"], check=True, capture_output=True, text=True).stdout
    got = [json.loads(line) for line in out.splitlines() if line.strip()]
    check(len(got) == len(ROWS), "engine read %d records, expected %d" % (len(got), len(ROWS)))
    for i, (g, (name, amount, qty, day, ok, notes)) in enumerate(zip(got, ROWS)):
        check(g["NAME"] == name, "row %d NAME %r" % (i, g["NAME"]))
        check(abs(g["AMOUNT"] - amount) < 1e-9, "row %d AMOUNT %r" % (i, g["AMOUNT"]))
        check(g["QTY"] == qty, "row %d QTY %r" % (i, g["QTY"]))
        check(g["DAY"] == (day.isoformat() if day else None), "row %d DAY %r" % (i, g["DAY"]))
        check(g["OK"] == ok, "row %d OK %r" % (i, g["OK"]))
        check((g["NOTES"] or "") == notes, "row %d NOTES %r" % (i, (g["NOTES"] or "")[:40]))
    print("the engine read %d records of a dBase III table written by %s" % (len(got), writer))


with tempfile.TemporaryDirectory() as folder:
    engine_to_dbfread(folder)
    other_tool_to_engine(folder)

for f in failures:
    print("FAIL:", f)
if failures:
    sys.exit(1)
print("dbf interoperability: all values match")
