"""Reads a table with python3-dbfread, as another dBase reader would, and
prints what it holds: the count the header gives, then one line per record,
live or deleted (its ID, its NAME or VER where the table has them, and
"torn" for a record of the big tables whose texts mix versions). Exits 1
when the header's count does not match the file's length."""
import os
import sys

from dbfread import DBF


def describe(rec):
    parts = [str(int(rec["ID"]))]
    if "NAME" in rec:
        parts.append(rec["NAME"])
    if "VER" in rec:
        parts.append(str(int(rec["VER"])))
        texts = {rec[f"P{i:02d}"] for i in range(1, 17)}
        if len(texts) != 1:
            parts.append("torn")
    return " ".join(parts)


def main(path):
    table = DBF(path, load=False, char_decode_errors="strict")
    header = table.header
    body = os.path.getsize(path) - header.headerlen
    if body not in (header.numrecords * header.recordlen, header.numrecords * header.recordlen + 1):
        print(f"{path}: {header.numrecords} records counted, {body} bytes of records")
        return 1
    print(header.numrecords)
    for records in (table.records, table.deleted):
        for rec in records:
            print(describe(rec))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
