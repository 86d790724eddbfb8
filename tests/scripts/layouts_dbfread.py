#!/usr/bin/env python3
"""Every table layout is written with exactly its field names, types and
sizes: the files that a new installation writes (and the layouts the program
only reads, written the same way) are read back with python3-dbfread and
compared field by field with the layouts as the program's design gives them."""
import subprocess
import sys
import tempfile
from pathlib import Path

from dbfread import DBF

# The dBase field each logical type is written as: type letter, length, decimals.
DBASE = {'Float': ('F', 20, 8), 'Smallint': ('N', 6, 0), 'Date': ('D', 8, 0), 'Logical': ('L', 1, 0),
         'Memo': ('M', 10, 0), 'Binary': ('B', 10, 0)}

EXPECTED = {
    'customers.dbf': [
        ('NAME', 'Char', 80), ('CONTACT1', 'Char', 80), ('PHONE1', 'Char', 20),
        ('PHONE2', 'Char', 20), ('FAX', 'Char', 20), ('ADDR1', 'Char', 40), ('ADDR2', 'Char', 40),
        ('CITY', 'Char', 40), ('STATE', 'Char', 15), ('ZIP5', 'Float'), ('ZIP6', 'Float'),
        ('CID', 'Float'), ('CONTACT2', 'Char', 80), ('EMAIL1', 'Char', 50), ('EMAIL2', 'Char', 50),
        ('S1', 'Logical'), ('S2', 'Logical'), ('POSTAL', 'Char', 20), ('COUNTRY', 'Char', 20),
        ('CUSTID', 'Float'), ('S3', 'Logical'), ('LISTID', 'Char', 25), ('FULLNAME', 'Char', 254),
        ('CITY2', 'Char', 40), ('STATE2', 'Char', 15), ('ZIP52', 'Float'), ('ZIP62', 'Float'),
        ('POSTAL2', 'Char', 20), ('COUNTRY2', 'Char', 20), ('ADDR3', 'Char', 40),
        ('ADDR4', 'Char', 40), ('PHONE3', 'Char', 20), ('PHONE4', 'Char', 20),
        ('FAX2', 'Char', 20), ('USEALT', 'Logical'), ('CFV1', 'Char', 40), ('CFV2', 'Char', 40),
        ('CFV3', 'Char', 40), ('CFV4', 'Char', 40), ('CFV5', 'Char', 40), ('CFV6', 'Char', 40),
        ('CFV7', 'Char', 40), ('FIRST', 'Char', 40), ('LAST', 'Char', 40), ('NOTES', 'Memo'),
        ('PHOTO', 'Logical'),
    ],
    'jobs.dbf': [
        ('JID', 'Float'), ('CID', 'Float'), ('DESC', 'Char', 80), ('STATUS', 'Smallint'),
        ('BIDID', 'Float'), ('LISTID', 'Char', 25), ('CUSTNAME', 'Char', 80),
        ('FULLNAME', 'Char', 254),
    ],
    'crews.dbf': [
        ('CREWID', 'Float'), ('DESC', 'Char', 80), ('STATUS', 'Smallint'), ('NOTES', 'Char', 80),
        ('LISTID', 'Char', 25), ('CHARTSID', 'Float'), ('RATE', 'Float'), ('CFV1', 'Char', 40),
        ('CFV2', 'Char', 40), ('CFV3', 'Char', 40), ('CFV4', 'Char', 40), ('CFV5', 'Char', 40),
        ('CFV6', 'Char', 40), ('CFV7', 'Char', 40), ('S2', 'Logical'), ('S3', 'Logical'),
    ],
    'ICharts.DBF': [
        ('CHARTSID', 'Float'), ('HOURS', 'Float'), ('SD', 'Float'), ('ED', 'Float'),
        ('DESC', 'Char', 80), ('COST', 'Float'), ('BIDID', 'Float'), ('TCOST', 'Float'),
        ('OFFSET', 'Float'), ('CHILD', 'Float'), ('PARENT', 'Logical'), ('SHOWIT', 'Logical'),
        ('ORDER', 'Float'), ('PID', 'Float'), ('USED', 'Logical'), ('TID', 'Float'),
        ('CID', 'Float'), ('JID', 'Float'), ('SDD', 'Date'), ('EDD', 'Date'), ('CREWID', 'Float'),
        ('TDESC', 'Char', 80), ('CUSTNAME', 'Char', 80), ('JOBNAME', 'Char', 80), ('OSD', 'Float'),
        ('OED', 'Float'), ('OHOURS', 'Float'), ('JOB', 'Logical'), ('LISTID', 'Char', 25),
        ('JLID', 'Char', 25), ('NOTES', 'Memo'), ('UPDATE', 'Float'), ('DG', 'Float'),
        ('DGN', 'Float'), ('NEW', 'Logical'), ('PIN', 'Float'), ('LINK', 'Float'),
        ('CHAIN', 'Float'), ('RESOURCE', 'Float'), ('ROOT', 'Logical'), ('RPERIOD', 'Smallint'),
        ('RCOUNT', 'Smallint'), ('REPEAT', 'Float'), ('CREPEATH', 'Float'), ('CFV1', 'Char', 40),
        ('CFV2', 'Char', 40), ('CFV3', 'Char', 40), ('CFV4', 'Char', 40), ('CFV5', 'Char', 40),
        ('CFV6', 'Char', 40), ('CFV7', 'Char', 40),
    ],
    'ITasks.dbf': [
        ('CHARTSID', 'Float'), ('HOURS', 'Float'), ('SD', 'Float'), ('ED', 'Float'),
        ('DESC', 'Char', 80), ('COST', 'Float'), ('BIDID', 'Float'), ('TCOST', 'Float'),
        ('OFFSET', 'Float'), ('CHILD', 'Float'), ('PARENT', 'Logical'), ('SHOWIT', 'Logical'),
        ('ORDER', 'Float'), ('PID', 'Float'), ('USED', 'Logical'), ('TID', 'Float'),
        ('CID', 'Float'), ('JID', 'Float'), ('SDD', 'Date'), ('EDD', 'Date'), ('CREWID', 'Float'),
        ('TDESC', 'Char', 80), ('CUSTNAME', 'Char', 80), ('JOBNAME', 'Char', 80), ('OSD', 'Float'),
        ('OED', 'Float'), ('OHOURS', 'Float'), ('JOB', 'Logical'), ('LISTID', 'Char', 25),
        ('JLID', 'Char', 25), ('UPDATE', 'Float'), ('NOTES', 'Memo'), ('LINK', 'Float'),
        ('CHAIN', 'Float'), ('RESOURCE', 'Float'), ('ROOT', 'Logical'), ('RPERIOD', 'Smallint'),
        ('RCOUNT', 'Smallint'), ('REPEAT', 'Float'), ('CREPEATH', 'Float'), ('CFV1', 'Char', 40),
        ('CFV2', 'Char', 40), ('CFV3', 'Char', 40), ('CFV4', 'Char', 40), ('CFV5', 'Char', 40),
        ('CFV6', 'Char', 40), ('CFV7', 'Char', 40),
    ],
    'ICrews.DBF': [
        ('CREWID', 'Float'), ('CHARTSID', 'Float'), ('ICREWID', 'Float'), ('JOB', 'Logical'),
        ('JID', 'Float'),
    ],
    'calendar.DBF': [
        ('WORKID', 'Float'), ('SUNDAY', 'Logical'), ('TUESDAY', 'Logical'),
        ('WEDNESDAY', 'Logical'), ('THURSDAY', 'Logical'), ('FRIDAY', 'Logical'),
        ('SATURDAY', 'Logical'), ('DAY1', 'Logical'), ('DAY2', 'Logical'), ('DAY3', 'Logical'),
        ('DAY4', 'Logical'), ('START2', 'Float'), ('END2', 'Float'), ('START3', 'Float'),
        ('END3', 'Float'), ('START4', 'Float'), ('END4', 'Float'), ('START1', 'Float'),
        ('END1', 'Float'), ('CREWID', 'Float'), ('MONDAY', 'Logical'), ('OVERRIDE', 'Logical'),
        ('THOURSDY', 'Float'), ('THOURSFC', 'Float'),
    ],
    'holidays.dbf': [
        ('HOLIID', 'Float'), ('DATE', 'Date'), ('DESC', 'Char', 80),
    ],
    'custom.dbf': [
        ('NAME', 'Char', 40), ('ID', 'Float'), ('FNAME', 'Char', 5), ('ACTIVE', 'Logical'),
        ('TYPE', 'Smallint'), ('INDEX', 'Smallint'),
    ],
    'photos.dbf': [
        ('CID', 'Float'), ('IMAGE1', 'Binary'), ('IMAGE2', 'Binary'), ('SCALE1', 'Smallint'),
        ('SCALE2', 'Smallint'),
    ],
    'mycomp.dbf': [
        ('CID', 'Float'), ('PID', 'Float'), ('PASSWORD', 'Char', 100), ('COUNT1', 'Float'),
        ('COUNT2', 'Float'), ('USEPASSWD', 'Logical'), ('PAPERSZ', 'Smallint'),
        ('PAPERO', 'Smallint'), ('ORGID', 'Float'), ('TITLE', 'Char', 100), ('RIDATE1', 'Date'),
        ('RIDATE2', 'Date'), ('RIDATE3', 'Date'), ('DOINDEX', 'Logical'), ('DOUPDATE', 'Logical'),
        ('DOINDEX2', 'Logical'), ('DOUPDATE2', 'Logical'), ('MYCOMPY', 'Char', 100),
        ('MYADDR1', 'Char', 35), ('MYADDR2', 'Char', 35), ('MYCITY', 'Char', 35),
        ('MYSTATE', 'Char', 15), ('MYPHONE', 'Char', 25), ('MYZIP5', 'Float'), ('MYZIP6', 'Float'),
        ('MYFAX', 'Char', 25), ('MYEMAIL', 'Char', 40), ('MYURL', 'Char', 50),
        ('MYPOSTAL', 'Char', 12), ('USEPOSTAL', 'Logical'), ('PAGE', 'Float'), ('MARKUP', 'Float'),
        ('TAX', 'Float'), ('DELIVER', 'Float'), ('MYCNTRY', 'Char', 20),
    ],
    'Access.dbf': [
        ('ACCID', 'Float'), ('USE', 'Logical'), ('COUNT', 'Smallint'), ('LIMIT', 'Smallint'),
        ('UPDATE', 'Float'),
    ],
    'older Charts.DBF': [
        ('CHARTSID', 'Float'), ('HOURS', 'Float'), ('SD', 'Float'), ('ED', 'Float'),
        ('DESC', 'Char', 80), ('COST', 'Float'), ('BIDID', 'Float'), ('TCOST', 'Float'),
        ('DISPLAYED', 'Logical'), ('PTR', 'Float'), ('OFFSET', 'Float'), ('CHILD', 'Float'),
        ('PARENT', 'Logical'), ('CPTR', 'Float'), ('SHOWIT', 'Logical'), ('ORDER', 'Smallint'),
        ('PID', 'Float'), ('USED', 'Logical'), ('TID', 'Float'), ('CID', 'Float'),
        ('JID', 'Float'), ('SDD', 'Date'), ('EDD', 'Date'), ('CREWID', 'Float'),
        ('TDESC', 'Char', 80), ('CUSTNAME', 'Char', 80), ('JOBNAME', 'Char', 80), ('OSD', 'Float'),
        ('OED', 'Float'), ('OHOURS', 'Float'), ('JOB', 'Logical'),
    ],
    'params.dbf': [
        ('CID', 'Float'), ('PID', 'Float'), ('PASSWORD', 'Char', 100), ('COUNT1', 'Float'),
        ('COUNT2', 'Float'), ('USEPASSWD', 'Logical'), ('PAPERSZ', 'Smallint'),
        ('PAPERO', 'Smallint'), ('ORGID', 'Float'), ('RIDATE1', 'Date'), ('PAGE', 'Float'),
        ('TAX', 'Smallint'), ('USEPOSTAL', 'Logical'), ('CBID1', 'Float'), ('CBID2', 'Float'),
        ('FOLDER', 'Float'), ('FILES', 'Float'), ('CHARTSD', 'Float'), ('CHARTED', 'Float'),
        ('RATE', 'Float'), ('NONE', 'Char', 25), ('PENDING', 'Char', 25), ('AWARDED', 'Char', 25),
        ('NAWARDED', 'Char', 25), ('INACTIVE', 'Char', 25), ('INPROGRESS', 'Char', 25),
        ('CLOSED', 'Char', 25), ('RESTRICT', 'Logical'), ('MATCHC', 'Float'),
        ('EXPORT', 'Logical'), ('SF3', 'Logical'), ('BUDIR', 'Char', 254), ('RSDIR', 'Char', 254),
    ],
    'eparams.dbf': [
        ('EMAILH', 'Char', 60), ('EMAILUID', 'Char', 60), ('EMAILFR', 'Char', 60),
        ('EMAILRP', 'Char', 60), ('EMAILFS', 'Smallint'), ('EMAILTF', 'Smallint'),
        ('EMLEFT', 'Smallint'), ('EMTOP', 'Smallint'), ('EMAILPW', 'Char', 60),
        ('EMAILUA', 'Logical'), ('EMAILLI', 'Char', 60), ('EMAILPT', 'Char', 160),
        ('EMAILUO', 'Logical'), ('EMAILAT', 'Smallint'), ('EMAILPRT', 'Smallint'),
    ],
    'qbsetup.dbf': [
        ('CPATH', 'Char', 254), ('USCAN', 'Smallint'), ('USEGROUP', 'Logical'),
        ('OPT1', 'Logical'), ('OPT2', 'Logical'), ('MATCH', 'Smallint'),
    ],
    'printer.dbf': [
        ('ID', 'Float'), ('IMAGE', 'Binary'), ('INDEX', 'Float'),
    ],
    'Charts.DBF': [
        ('CHARTSID', 'Float'), ('HOURS', 'Float'), ('SD', 'Float'), ('ED', 'Float'),
        ('DESC', 'Char', 80), ('COST', 'Float'), ('BIDID', 'Float'), ('TCOST', 'Float'),
        ('PTR', 'Float'), ('OFFSET', 'Float'), ('CHILD', 'Float'), ('PARENT', 'Logical'),
        ('SHOWIT', 'Logical'), ('ORDER', 'Float'), ('PID', 'Float'), ('USED', 'Logical'),
        ('TID', 'Float'), ('CID', 'Float'), ('JID', 'Float'), ('SDD', 'Date'), ('EDD', 'Date'),
        ('CREWID', 'Float'), ('TDESC', 'Char', 80), ('CUSTNAME', 'Char', 80),
        ('JOBNAME', 'Char', 80), ('OSD', 'Float'), ('OED', 'Float'), ('OHOURS', 'Float'),
        ('JOB', 'Logical'), ('LISTID', 'Char', 25), ('JLID', 'Char', 25), ('NOTES', 'Memo'),
        ('UPDATE', 'Float'), ('DG', 'Float'), ('DGN', 'Float'), ('NEW', 'Logical'),
        ('PIN', 'Float'), ('LINK', 'Float'), ('CHAIN', 'Float'), ('RESOURCE', 'Float'),
        ('ROOT', 'Logical'), ('RPERIOD', 'Smallint'), ('RCOUNT', 'Smallint'), ('REPEAT', 'Float'),
        ('CREPEATH', 'Float'), ('CFV1', 'Char', 40), ('CFV2', 'Char', 40), ('CFV3', 'Char', 40),
        ('CFV4', 'Char', 40), ('CFV5', 'Char', 40), ('CFV6', 'Char', 40), ('CFV7', 'Char', 40),
        ('S2', 'Logical'),
    ],
    'Tasks.DBF': [
        ('CHARTSID', 'Float'), ('HOURS', 'Float'), ('SD', 'Float'), ('ED', 'Float'),
        ('DESC', 'Char', 80), ('COST', 'Float'), ('BIDID', 'Float'), ('TCOST', 'Float'),
        ('OFFSET', 'Float'), ('CHILD', 'Float'), ('PARENT', 'Logical'), ('SHOWIT', 'Logical'),
        ('ORDER', 'Float'), ('PID', 'Float'), ('USED', 'Logical'), ('TID', 'Float'),
        ('CID', 'Float'), ('JID', 'Float'), ('SDD', 'Date'), ('EDD', 'Date'), ('CREWID', 'Float'),
        ('TDESC', 'Char', 80), ('CUSTNAME', 'Char', 80), ('JOBNAME', 'Char', 80), ('OSD', 'Float'),
        ('OED', 'Float'), ('OHOURS', 'Float'), ('JOB', 'Logical'), ('LISTID', 'Char', 25),
        ('JLID', 'Char', 25), ('UPDATE', 'Float'), ('NOTES', 'Memo'), ('LINK', 'Float'),
        ('CHAIN', 'Float'), ('RESOURCE', 'Float'), ('ROOT', 'Logical'), ('RPERIOD', 'Smallint'),
        ('RCOUNT', 'Smallint'), ('REPEAT', 'Float'), ('CREPEATH', 'Float'), ('CFV1', 'Char', 40),
        ('CFV2', 'Char', 40), ('CFV3', 'Char', 40), ('CFV4', 'Char', 40), ('CFV5', 'Char', 40),
        ('CFV6', 'Char', 40), ('CFV7', 'Char', 40), ('S2', 'Logical'),
    ],
    'bid.dbf': [
        ('BIDID', 'Float'), ('TEXT1', 'Char', 240), ('TEXT2', 'Char', 240), ('TEXT3', 'Char', 240),
        ('TEXT4', 'Char', 240), ('TEXT5', 'Char', 240), ('TEXT6', 'Char', 240),
        ('DESC', 'Char', 80), ('DATE', 'Date'), ('TITLE', 'Char', 20), ('SIG1', 'Char', 80),
        ('SIG2', 'Char', 80), ('PDESC', 'Memo'), ('GTOTAL', 'Float'), ('CID', 'Float'),
        ('CONTACT1', 'Char', 60), ('CONTACT1', 'Smallint'), ('SPF', 'Smallint'),
        ('BDPF', 'Smallint'), ('S3', 'Logical'), ('DOC', 'Binary'), ('NEW', 'Logical'),
        ('TAX1', 'Float'), ('TAX2', 'Float'), ('TAX3', 'Float'), ('DTAX1', 'Char', 80),
        ('DTAX2', 'Char', 80), ('DTAX3', 'Char', 80), ('TEXT7', 'Char', 240), ('TERMS', 'Memo'),
        ('TAXCODE1', 'Smallint'), ('TAXCODE2', 'Smallint'), ('TAXCODE3', 'Smallint'),
        ('BIDNO', 'Float'), ('BIDCN', 'Float'), ('S4', 'Logical'), ('S5', 'Logical'),
    ],
    'company.dbf': [
        ('NAME', 'Char', 80), ('CONTACT1', 'Char', 80), ('PHONE1', 'Char', 20),
        ('PHONE2', 'Char', 20), ('FAX', 'Char', 20), ('ADDR1', 'Char', 40), ('ADDR2', 'Char', 40),
        ('CITY', 'Char', 40), ('STATE', 'Char', 15), ('ZIP5', 'Float'), ('ZIP6', 'Float'),
        ('CID', 'Float'), ('CONTACT2', 'Char', 80), ('EMAIL1', 'Char', 50), ('EMAIL2', 'Char', 50),
        ('S1', 'Logical'), ('S2', 'Logical'), ('POSTAL', 'Char', 20), ('COUNTRY', 'Char', 20),
        ('CUSTID', 'Float'), ('S3', 'Logical'), ('LISTID', 'Char', 25), ('FULLNAME', 'Char', 254),
    ],
    'projects.DBF': [
        ('CID', 'Float'), ('PID', 'Float'), ('DESC', 'Char', 60), ('DATE', 'Date'),
        ('S1', 'Logical'), ('S2', 'Logical'), ('ESTNAME', 'Char', 80), ('BIDID', 'Float'),
        ('PF', 'Smallint'),
    ],
    'iproj.dbf': [
        ('IPID', 'Float'), ('BIDID', 'Float'), ('PID', 'Float'),
    ],
    'estimate.dbf': [
        ('PID', 'Float'), ('CODE', 'Char', 20), ('FEET', 'Float'), ('INCHES', 'Smallint'),
        ('ISPART', 'Logical'), ('QTY', 'Float'), ('DESC', 'Char', 60), ('WEIGHTPER', 'Float'),
        ('HOURS', 'Float'), ('TYPE', 'Smallint'), ('S1', 'Logical'), ('S2', 'Logical'),
        ('METERS', 'Float'), ('PARTID', 'Float'), ('LABORID', 'Float'), ('RATE', 'Float'),
        ('PRICE', 'Float'), ('ESTID', 'Float'), ('SECTION', 'Char', 20), ('LOCATION', 'Char', 20),
        ('S3', 'Logical'), ('VENDOR', 'Char', 20), ('T2', 'Char', 20), ('T3', 'Char', 20),
    ],
    'labor.dbf': [
        ('DESC', 'Char', 60), ('CODE', 'Char', 20), ('RATEID', 'Float'), ('HOURS', 'Float'),
        ('S1', 'Logical'), ('S2', 'Logical'), ('LABORID', 'Float'), ('S3', 'Logical'),
        ('SUBC', 'Char', 40), ('ITEMLID', 'Char', 35),
    ],
    'rates.DBF': [
        ('DESC', 'Char', 60), ('RATE', 'Float'), ('RATEID', 'Float'), ('S1', 'Logical'),
        ('S2', 'Logical'),
    ],
    'hourssum.DBF': [
        ('HOURSSUM', 'Float'), ('RATE', 'Float'), ('RATEDESC', 'Char', 60), ('HOURSID', 'Float'),
        ('BIDID', 'Float'),
    ],
    'matssum.DBF': [
        ('MATSSUM', 'Float'), ('MATSDESC', 'Char', 60), ('MATSID', 'Float'), ('LABORSUM', 'Float'),
        ('BIDID', 'Float'), ('HOURS', 'Float'),
    ],
    'wo1': [
        ('PID', 'Float'), ('WID', 'Float'), ('NOTES', 'Memo'), ('TITLE', 'Char', 60),
        ('SECTION', 'Char', 20), ('LOCATION', 'Char', 20), ('PF', 'Smallint'), ('NLINES', 'Float'),
    ],
    'wo2': [
        ('PID', 'Float'), ('WID', 'Float'), ('NOTES', 'Memo'), ('TITLE', 'Char', 60),
        ('SECTION', 'Char', 20), ('LOCATION', 'Char', 20), ('PF', 'Smallint'), ('NLINES', 'Float'),
    ],
}


def dbase_field(entry):
    if entry[1] == 'Char':
        return (entry[0], 'C', entry[2], 0)
    return (entry[0],) + DBASE[entry[1]]


def main(tool):
    with tempfile.TemporaryDirectory() as root:
        out = subprocess.run([tool, root], check=True, capture_output=True, text=True).stdout
        checked = set()
        failures = []
        for line in out.splitlines():
            folder, file, layout = line.split('\t')
            table = DBF(str(Path(folder, file)), load=False, ignore_missing_memofile=True)
            written = [(f.name, f.type, f.length, f.decimal_count) for f in table.fields]
            wanted = [dbase_field(e) for e in EXPECTED[layout]]
            if written != wanted:
                for i, (w, e) in enumerate(zip(written, wanted)):
                    if w != e:
                        failures.append(f'{file}: field {i + 1} is {w}, should be {e}')
                        break
                else:
                    failures.append(f'{file}: {len(written)} fields, should be {len(wanted)}')
            checked.add(layout)
        missing = set(EXPECTED) - checked
        if missing:
            failures.append('layouts never written: ' + ', '.join(sorted(missing)))
        for f in failures:
            print('layouts_dbfread:', f, file=sys.stderr)
        if failures:
            return 1
        print(f'layouts_dbfread: {len(out.splitlines())} files of {len(checked)} layouts as designed')
        return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
