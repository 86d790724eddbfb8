"""Reads a table of the crash test with python3-dbfread, as another dBase
reader would: the header's record count must match the file, and every
record, live or deleted, must hold one version in all its texts."""
import os
import sys

from dbfread import DBF


def main(path):
    table = DBF(path, load=False, char_decode_errors="strict")
    header = table.header
    size = os.path.getsize(path)
    body = size - header.headerlen
    if body not in (header.numrecords * header.recordlen, header.numrecords * header.recordlen + 1):
        print(f"{path}: {header.numrecords} records counted, {body} bytes of records")
        return 1
    seen = 0
    for records in (table.records, table.deleted):
        for rec in records:
            seen += 1
            want = chr(ord("A") + int(rec["VER"]) % 26) * 250
            for i in range(1, 17):
                if rec[f"P{i:02d}"] != want:
                    print(f"{path}: record {rec['ID']} mixes versions in P{i:02d}")
                    return 1
    if seen != header.numrecords:
        print(f"{path}: read {seen} records of {header.numrecords}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
