"""Reads the big tables of the kill-at-every-step test with python3-dbfread,
as another dBase reader would: every record holds one version in all its
texts, the count matches the file, and with --batch every record of every
table holds the same version, the appended record (ID 99) there exactly
when that version is the new one."""
import os
import sys

from dbfread import DBF


def records(path):
    table = DBF(path, load=False, char_decode_errors="strict")
    header = table.header
    body = os.path.getsize(path) - header.headerlen
    if body not in (header.numrecords * header.recordlen, header.numrecords * header.recordlen + 1):
        raise ValueError(f"{path}: {header.numrecords} records counted, {body} bytes of records")
    out = []
    for rec in table.records:
        want = chr(ord("A") + int(rec["VER"]) % 26) * 250
        for i in range(1, 17):
            if rec[f"P{i:02d}"] != want:
                raise ValueError(f"{path}: record {rec['ID']} mixes versions in P{i:02d}")
        out.append((int(rec["ID"]), int(rec["VER"])))
    return out


def main(args):
    batch = args[0] == "--batch"
    paths = args[1:] if batch else args
    try:
        found = [r for p in paths for r in records(p)]
    except ValueError as e:
        print(e)
        return 1
    if batch:
        versions = {v for _, v in found}
        appended = any(i == 99 for i, _ in found)
        if len(versions) != 1 or appended != (versions == {1}):
            print(f"the batch is half done: versions {sorted(versions)}, appended record: {appended}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
