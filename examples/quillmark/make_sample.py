#!/usr/bin/python3
"""Writes the sample Quillmark estimating database with python3-dbf alone.

    /usr/bin/python3 examples/quillmark/make_sample.py FOLDER [--numbers=mixed|N|F] [--bare-work-orders]

The tables are those the bid import reads, in the estimating product's
layouts, written as another dBase program writes them: no file of Tarnwick's
beside them. Numbers are dBase III "N" fields, or "F" fields (python3-dbf's
Clipper tables, which keep the dBase III memo file); "mixed", the sample as
shipped, writes the estimate, labour, rate and summary tables with "F" and
the others with "N". With --bare-work-orders the work-order tables are files
named "wo1" and "wo2", without an extension.

python3-dbf cannot write two fields of one name nor a binary field, so
bid.dbf lacks its second CONTACT1 and its DOC; the import reads neither.
python3-dbf also caps numbers at 19 digits: the 20-digit numbers of the
layouts are 19 digits wide here.
"""
import datetime
import os
import sys
import warnings

import dbf

warnings.simplefilter("ignore")

FLOAT, SMALL = "FLOAT", "SMALL"

WORK_ORDER = [("PID", FLOAT), ("WID", FLOAT), ("NOTES", "M"), ("TITLE", "C(60)"), ("SECTION", "C(20)"),
              ("LOCATION", "C(20)"), ("PF", SMALL), ("NLINES", FLOAT)]

LAYOUTS = {
    "company.dbf": [
        ("NAME", "C(80)"), ("CONTACT1", "C(80)"), ("PHONE1", "C(20)"), ("PHONE2", "C(20)"), ("FAX", "C(20)"),
        ("ADDR1", "C(40)"), ("ADDR2", "C(40)"), ("CITY", "C(40)"), ("STATE", "C(15)"), ("ZIP5", FLOAT),
        ("ZIP6", FLOAT), ("CID", FLOAT), ("CONTACT2", "C(80)"), ("EMAIL1", "C(50)"), ("EMAIL2", "C(50)"),
        ("S1", "L"), ("S2", "L"), ("POSTAL", "C(20)"), ("COUNTRY", "C(20)"), ("CUSTID", FLOAT), ("S3", "L"),
        ("LISTID", "C(25)"), ("FULLNAME", "C(254)")],
    "bid.dbf": [
        ("BIDID", FLOAT), ("TEXT1", "C(240)"), ("TEXT2", "C(240)"), ("TEXT3", "C(240)"), ("TEXT4", "C(240)"),
        ("TEXT5", "C(240)"), ("TEXT6", "C(240)"), ("DESC", "C(80)"), ("DATE", "D"), ("TITLE", "C(20)"),
        ("SIG1", "C(80)"), ("SIG2", "C(80)"), ("PDESC", "M"), ("GTOTAL", FLOAT), ("CID", FLOAT),
        ("CONTACT1", "C(60)"), ("SPF", SMALL), ("BDPF", SMALL), ("S3", "L"), ("NEW", "L"), ("TAX1", FLOAT),
        ("TAX2", FLOAT), ("TAX3", FLOAT), ("DTAX1", "C(80)"), ("DTAX2", "C(80)"), ("DTAX3", "C(80)"),
        ("TEXT7", "C(240)"), ("TERMS", "M"), ("TAXCODE1", SMALL), ("TAXCODE2", SMALL), ("TAXCODE3", SMALL),
        ("BIDNO", FLOAT), ("BIDCN", FLOAT), ("S4", "L"), ("S5", "L")],
    "projects.DBF": [
        ("CID", FLOAT), ("PID", FLOAT), ("DESC", "C(60)"), ("DATE", "D"), ("S1", "L"), ("S2", "L"),
        ("ESTNAME", "C(80)"), ("BIDID", FLOAT), ("PF", SMALL)],
    "iproj.dbf": [("IPID", FLOAT), ("BIDID", FLOAT), ("PID", FLOAT)],
    "estimate.dbf": [
        ("PID", FLOAT), ("CODE", "C(20)"), ("FEET", FLOAT), ("INCHES", SMALL), ("ISPART", "L"), ("QTY", FLOAT),
        ("DESC", "C(60)"), ("WEIGHTPER", FLOAT), ("HOURS", FLOAT), ("TYPE", SMALL), ("S1", "L"), ("S2", "L"),
        ("METERS", FLOAT), ("PARTID", FLOAT), ("LABORID", FLOAT), ("RATE", FLOAT), ("PRICE", FLOAT),
        ("ESTID", FLOAT), ("SECTION", "C(20)"), ("LOCATION", "C(20)"), ("S3", "L"), ("VENDOR", "C(20)"),
        ("T2", "C(20)"), ("T3", "C(20)")],
    "labor.dbf": [
        ("DESC", "C(60)"), ("CODE", "C(20)"), ("RATEID", FLOAT), ("HOURS", FLOAT), ("S1", "L"), ("S2", "L"),
        ("LABORID", FLOAT), ("S3", "L"), ("SUBC", "C(40)"), ("ITEMLID", "C(35)")],
    "rates.DBF": [("DESC", "C(60)"), ("RATE", FLOAT), ("RATEID", FLOAT), ("S1", "L"), ("S2", "L")],
    "hourssum.DBF": [("HOURSSUM", FLOAT), ("RATE", FLOAT), ("RATEDESC", "C(60)"), ("HOURSID", FLOAT),
                     ("BIDID", FLOAT)],
    "matssum.DBF": [("MATSSUM", FLOAT), ("MATSDESC", "C(60)"), ("MATSID", FLOAT), ("LABORSUM", FLOAT),
                    ("BIDID", FLOAT), ("HOURS", FLOAT)],
    "wo1.dbf": WORK_ORDER,
    "wo2.dbf": WORK_ORDER,
}

# Written with "F" numbers in the shipped sample.
F_TABLES = {"estimate.dbf", "labor.dbf", "rates.DBF", "hourssum.DBF", "matssum.DBF"}


def part(pid, estid, code, desc, kind, qty, price, section, location="", **size):
    row = dict(PID=pid, ESTID=estid, CODE=code, DESC=desc, ISPART=True, TYPE=kind, QTY=qty, PRICE=price,
               SECTION=section, LOCATION=location)
    row.update(size)
    return row


def labour(pid, estid, desc, qty, hours, rate, laborid, section, location=""):
    return dict(PID=pid, ESTID=estid, DESC=desc, ISPART=False, QTY=qty, HOURS=hours, RATE=rate,
                LABORID=laborid, SECTION=section, LOCATION=location)


D = datetime.date
ROWS = {
    "company.dbf": [
        dict(CID=1, NAME="Alder Roofing", CONTACT1="Ruth Alder", PHONE1="555-0101", ADDR1="4 Mill Lane",
             CITY="Springfield", STATE="IL", POSTAL="62701", EMAIL1="office@alder-roofing.example"),
        dict(CID=2, NAME="Birch, Anna", PHONE1="555-0102", ADDR1="17 Orchard Row", CITY="Springfield",
             STATE="IL", POSTAL="62704"),
        dict(CID=3, NAME="Cedar Works", CONTACT1="Tom Reyes", PHONE1="555-0103", CITY="Decatur", STATE="IL",
             S1=True),
    ],
    "bid.dbf": [
        dict(BIDID=101, CID=1, DESC="Roof renewal", DATE=D(2027, 3, 1), S3=True, BIDNO=1,
             PDESC="Strip and retile the main roof, new gutters and porch flashing."),
        dict(BIDID=102, CID=2, DESC="Kitchen extension", DATE=D(2027, 3, 8), BIDNO=2),
        dict(BIDID=103, CID=3, DESC="Garden fence", DATE=D(2027, 4, 12), S3=True, BIDNO=3),
    ],
    "projects.DBF": [
        dict(PID=11, CID=1, BIDID=101, DESC="Main roof", DATE=D(2027, 2, 20), ESTNAME="Roof"),
        dict(PID=12, CID=1, BIDID=101, DESC="Porch roof", DATE=D(2027, 2, 20), ESTNAME="Porch"),
        dict(PID=21, CID=2, BIDID=102, DESC="Kitchen", DATE=D(2027, 2, 25), ESTNAME="Kitchen"),
        dict(PID=31, CID=3, BIDID=103, DESC="Fence", DATE=D(2027, 3, 30), ESTNAME="Fence"),
    ],
    "iproj.dbf": [dict(IPID=1, BIDID=101, PID=11), dict(IPID=2, BIDID=101, PID=12),
                  dict(IPID=3, BIDID=102, PID=21), dict(IPID=4, BIDID=103, PID=31)],
    "estimate.dbf": [
        part(11, 1, "RT-12", "Ridge tiles", 2, 2, 4, "Roof", "North slope", FEET=12, INCHES=6),
        labour(11, 2, "Retile", 1, 16, 40, 1, "Roof", "North slope"),
        labour(11, 3, "Supervision", 1, 4, 55, 2, "Roof"),
        labour(11, 4, "Hang gutters", 2, 3, 28, 3, "Gutters"),
        part(11, 5, "GB-1", "Gutter brackets", 1, 20, 1.5, "Gutters"),
        labour(12, 6, "Retile porch", 1, 6, 40, 1, "Roof"),
        part(12, 7, "FL-3", "Lead flashing", 5, 1, 12, "Flashing", METERS=3.5),
        labour(21, 8, "Frame walls", 1, 24, 40, 1, "Framing"),
        labour(21, 9, "Supervision", 1, 8, 55, 2, "Framing"),
        labour(21, 10, "Plaster", 1, 12, 28, 3, "Plastering"),
        part(21, 11, "PL-25", "Plaster bags", 1, 10, 9.5, "Plastering"),
        labour(31, 12, "Set posts", 2, 6, 28, 3, "Posts"),
        part(31, 13, "FP-6", "Fence panels", 2, 20, 3, "Panels", FEET=6),
    ],
    "labor.dbf": [dict(LABORID=1, DESC="Roofing", CODE="ROOF", RATEID=100, HOURS=1),
                  dict(LABORID=2, DESC="Supervision", CODE="SUP", RATEID=200, HOURS=1),
                  dict(LABORID=3, DESC="General labour", CODE="GEN", RATEID=300, HOURS=1)],
    "rates.DBF": [dict(RATEID=100, DESC="Journeyman", RATE=40), dict(RATEID=200, DESC="Foreman", RATE=55),
                  dict(RATEID=300, DESC="Labourer", RATE=28)],
    "hourssum.DBF": [],
    "matssum.DBF": [],
    "wo1.dbf": [dict(PID=11, WID=1, SECTION="Roof", TITLE="Roof", NOTES="Strip old tiles and check the battens"),
                dict(PID=21, WID=2, SECTION="Framing", TITLE="Framing", NOTES="Steel beam on site by Monday")],
    "wo2.dbf": [dict(PID=11, WID=3, LOCATION="North slope", TITLE="Scaffold",
                     NOTES="Scaffold on the north side")],
}


def spec(fields, numbers):
    out = []
    for name, kind in fields:
        if kind == FLOAT:
            kind = numbers + "(19,8)"
        elif kind == SMALL:
            kind = "N(6,0)"
        out.append("%s %s" % (name, kind))
    return "; ".join(out)


def write(folder, numbers="mixed", bare_work_orders=False):
    for name in os.listdir(folder):
        base = os.path.splitext(name)[0].lower()
        if base in {os.path.splitext(t)[0].lower() for t in LAYOUTS}:
            os.remove(os.path.join(folder, name))
    for table, fields in LAYOUTS.items():
        kind = numbers if numbers != "mixed" else ("F" if table in F_TABLES else "N")
        path = os.path.join(folder, table)
        t = dbf.Table(path, spec(fields, kind), dbf_type="clp" if kind == "F" else "db3", codepage="cp1252")
        t.open(dbf.READ_WRITE)
        for row in ROWS[table]:
            t.append({k.lower(): v for k, v in row.items()})
        t.close()
        if bare_work_orders and table.startswith("wo"):
            os.rename(path, os.path.join(folder, os.path.splitext(table)[0]))


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    options = dict(a[2:].split("=", 1) if "=" in a else (a[2:], "") for a in argv if a.startswith("--"))
    if len(args) != 1 or options.get("numbers", "mixed") not in ("mixed", "N", "F"):
        sys.exit(__doc__)
    os.makedirs(args[0], exist_ok=True)
    write(args[0], options.get("numbers", "mixed"), "bare-work-orders" in options)


if __name__ == "__main__":
    main(sys.argv[1:])
