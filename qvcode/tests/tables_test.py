#!/usr/bin/env python3
"""qvcode encode and decode --table against Python's csv module and the filter.

  tables_test.py QVCODE

A table of awkward columns (quoted commas, doubled quotes, line breaks in
fields, empty fields) and positions in many spellings, some bad, is encoded
in CSV (LF and CRLF, with a byte order mark) and TSV: the output must be the
input byte for byte with the new fields appended, each field the text that
`encode --csv` writes for the same position (the reason of a bad row in
"error"), and the exit status 1.  The codes decode to what `decode --csv`
writes.  Then the tables that are refused, each with its message.
"""
import csv
import io
import random
import subprocess
import sys

qvcode = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(args, data):
    return subprocess.run([qvcode] + args, input=data, capture_output=True)


def filter_fields(command, lines, fields, extra=()):
    """The fields `command --csv` writes for each line, by name."""
    r = run([command, "--csv"] + list(extra), ("\n".join(lines) + "\n").encode())
    rows = list(csv.DictReader(io.StringIO(r.stdout.decode())))
    assert len(rows) == len(lines), (command, len(rows), len(lines))
    return [[row[f] for f in fields + ["error"]] for row in rows]


def raw_row(fields, delimiter):
    # The writer quotes line breaks only where its line end holds them.
    out = io.StringIO()
    csv.writer(out, delimiter=delimiter, lineterminator="\r\n").writerow(fields)
    return out.getvalue()[:-2]


rng = random.Random(20261210)
AWKWARD = ['plain', 'a, b', 'say "hi"', 'two\nlines', '', ' padded ', 'x\r\ny', 'semi;colon', 'tab\there']
POSITIONS = ["50", "10", "-33.87", "151.21", "48°8′13″N", "11°34′31″E", "95", "bad", ""]


def table(rows, delimiter):
    header = ["id", "name", "lat", "note", "lon"] + [f"c{i}" for i in range(15)]
    body = []
    for i in range(rows):
        if i % 97 == 5:
            lat, lon = rng.choice(POSITIONS), rng.choice(POSITIONS)
        else:
            lat, lon = f"{rng.uniform(-90, 90):.6f}", f"{rng.uniform(-180, 180):.7f}"
        body.append([str(i), rng.choice(AWKWARD), lat, rng.choice(AWKWARD), lon] +
                    [rng.choice(AWKWARD) for _ in range(15)])
    return header, body


ENCODE_FIELDS = ["code", "hour", "offsetKm", "distanceKm"]
for delimiter, ending, bom in ((",", "\n", ""), (",", "\r\n", "\ufeff"), ("\t", "\n", "")):
    header, body = table(3000, delimiter)
    text = bom + "".join(raw_row(r, delimiter) + ending for r in [header] + body)
    r = run(["encode", "--table", "--lat-column", "lat", "--lon-column", "5"], text.encode())
    what = f"encode --table of {delimiter!r} rows ending {ending!r}"
    check(r.returncode == 1, f"{what}: exit status {r.returncode}: {r.stderr!r}")
    # A row without a position fails, where the filter passes a blank line on.
    added = [a if f"{row[2]}{row[4]}" else ["", "", "", "", "'' is not a position: it is empty"] for row, a in
             zip(body, filter_fields("encode", [f"{row[2]} {row[4]}" for row in body], ENCODE_FIELDS))]
    expected = bom + raw_row(header + ENCODE_FIELDS + ["error"], delimiter) + ending + "".join(
        raw_row(row + extra, delimiter) + ending for row, extra in zip(body, added))
    out = r.stdout.decode()
    check(out == expected, f"{what}: not the table with the filter's fields appended")
    parsed = list(csv.reader(io.StringIO(out.lstrip("\ufeff"), newline=""), delimiter=delimiter))
    check(parsed[1:] == [row + extra for row, extra in zip(body, added)], f"{what}: csv reads other rows")
    check(sum(1 for a in added if a[-1]) > 10, f"{what}: too few bad rows to test")

# decode --table: the codes of a column back to what decode --csv writes,
# and --fields choosing others in an order of their own.
codes = ["m11:6.6 r236.8", "m5:0 r0", "m13:0 r0", "m2:1184.2 r16326.8", "m7:8 r2244.6"]
body = [[str(i), rng.choice(AWKWARD), rng.choice(codes)] for i in range(500)]
text = "".join(raw_row(r, ",") + "\n" for r in [["id", "note", "code"]] + body)
for fields in (None, ["longitudeDms", "hour", "farthestKm"]):
    shown = fields or ["latitude", "longitude", "farthestKm"]
    r = run(["decode", "--table", "--code-column", "code"] + (["--fields", ",".join(fields)] if fields else []),
            text.encode())
    added = filter_fields("decode", [row[2] for row in body], shown)
    expected = raw_row(["id", "note", "code"] + shown + ["error"], ",") + "\n" + "".join(
        raw_row(row + extra, ",") + "\n" for row, extra in zip(body, added))
    check(r.returncode == 1 and r.stdout.decode() == expected, f"decode --table --fields {fields}: {r.stderr!r}")

# One column of whole positions, longitude first, ';' as told; a blank line
# passes through.
r = run(["encode", "--table", "--position-column", "where", "--lon-first", "--delimiter", ";", "--fields",
         "code,latitude"], "name;where\nSydney;151.21 -33.87\n\nMunich;11°34′31″E 48°8′13″N\n".encode())
check(r.returncode == 0 and r.stdout.decode() ==
      "name;where;code;latitude;error\nSydney;151.21 -33.87;m2:1184.2 r16326.8;-33.87;\n\n"
      "Munich;11°34′31″E 48°8′13″N;m5:0 r0;48.136944444444445;\n", f"--position-column --lon-first: {r.stdout!r}")

# What is refused: (arguments, input, exit status, the message's end).
TABLE = ["encode", "--table", "--lat-column", "lat", "--lon-column", "lon"]
REFUSED = [
    (TABLE, "", 2, "standard input is empty: a table needs a header line that names its columns"),
    (["encode", "--table", "--lat-column", "1", "--lon-column", "2"], "50,10\n1,2\n", 2,
     "the first line's '50 10' converts: it is a row, not the names of the columns, and a table needs a header line"),
    (TABLE, "lat,lng\n50,10\n", 2, "the table has no column 'lon'; its columns are 'lat', 'lng'"),
    (["encode", "--table", "--lat-column", "3", "--lon-column", "2"], "a,b\n1,2\n", 2,
     "the table has no column 3: its 2 columns are numbered from 1"),
    (TABLE, "lat,lon,lat\n50,10,1\n", 2,
     "the column name 'lat' stands twice in the header line (columns 1 and 3); name the column by its number"),
    (TABLE, "lat,lon,code\n50,10,x\n", 2, "the table has a column 'code' already; the new one would stand beside "
     "it under the same name (choose other fields with --fields, or rename the column)"),
    (TABLE, "lat,lon\n50,10\n1,2,3\n", 2, "line 3: the row has 3 fields, the header line 2; the rows before it "
     "are written"),
    (TABLE, "lat,lon\n50,\"10\n", 2, "a quoted field of the row that starts on line 2 is never closed"),
    (TABLE + ["--json"], "lat,lon\n", 2, "--table writes the table with its new columns; it excludes --json and --csv"),
    (TABLE + ["--fields", "code,nothing"], "lat,lon\n", 2, "--fields: there is no field 'nothing'; the fields are "),
    (TABLE + ["--lon-first"], "lat,lon\n", 2, "--lon-first is for positions in one text; --lat-column and "
     "--lon-column say which is which"),
    (["encode", "--lat-column", "lat"], "", 2, "need --table"),
    (["decode", "--table"], "", 2, "--table needs --code-column"),
    (["decode", "--dms", "--json"], "", 2, "--dms shapes the plain output; --json, --csv and --table write every "
     "number in full"),
]
for args, data, status, message in REFUSED:
    r = run(args, data.encode())
    err = r.stderr.decode()
    check(r.returncode == status and message in err, f"{args} on {data!r}: {r.returncode} {err!r}")
# The rows before a ragged row are written.
r = run(TABLE, b"lat,lon\n50,10\n1,2,3\n")
check(r.stdout == b"lat,lon,code,hour,offsetKm,distanceKm,error\n50,10,m11:6.6 r236.8,11,6.64327619466684,"
      b"236.7795803439312,\n", f"before a ragged row: {r.stdout!r}")

for f in failures:
    print(f, file=sys.stderr)
print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
