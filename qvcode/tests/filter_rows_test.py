#!/usr/bin/env python3
"""Every filter over one input of mixed lines, in every format and from every source.

  filter_rows_test.py QVCODE

The input starts with a UTF-8 byte order mark and mixes positions, codes,
element lines, comments holding commas and quotes, blank lines and lines that
are no UTF-8.  Each command, in each format, read from standard input, a file
and --input-string, must give one line for every input line (under --csv one
row after the header), rows that Python's csv module reads at exactly the
header's width, comment and blank lines as rows of empty fields, every line
JSON under --json, and output that is UTF-8 throughout; the mark is no part of
the first line.
"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

qvcode = sys.argv[1]

BOM = b"\xef\xbb\xbf"
# Lines without ';', which --input-string takes as a separator too.
LINES = [
    b"50 10",
    b'#note,"x',
    b"",
    b'  # a comment, "quoted", with commas',
    b"m11:6.6 r236.8",
    b"50,0,0,10,0,0,N,E",
    b"bad\xff\xfe",
    b'x"y,z',
    b"\t",
    b"48.2 11.575277777777778",
    b"m\xc3\xa9:1 r2 \xed\xa0\x80",
    b"95 0",
    b"m12:0 r4654.3\r",
]
COMMANDS = ("encode", "decode", "algorit")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def passes_through(line, command):
    text = line.strip(b" \t\r")
    return text == b"" or (text.startswith(b"#") and not (command == "algorit" and text.startswith(b"#NULL#")))


def run(command, fmt, source, folder):
    args = [qvcode, command] + ([fmt] if fmt else [])
    data = BOM + b"\n".join(LINES) + b"\n"
    stdin = None
    if source == "stdin":
        stdin = data
    elif source == "file":
        path = os.path.join(folder, "in.txt")
        with open(path, "wb") as f:
            f.write(data)
        args += ["--input-file", path]
    else:
        args += ["--input-string", os.fsdecode(BOM + b";".join(LINES))]
    return subprocess.run(args, input=stdin, capture_output=True)


with tempfile.TemporaryDirectory() as folder:
    for command in COMMANDS:
        for fmt in ("", "--csv", "--json"):
            for source in ("stdin", "file", "string"):
                what = f"{command} {fmt or '(text)'} from {source}"
                r = run(command, fmt, source, folder)
                check(r.returncode == 1, f"{what}: exit status {r.returncode}, not 1: {r.stderr!r}")
                try:
                    out = r.stdout.decode("utf-8")
                except UnicodeDecodeError as e:
                    check(False, f"{what}: output is no UTF-8: {e}")
                    out = r.stdout.decode("utf-8", errors="replace")
                check("\ufeff" not in out, f"{what}: the byte order mark reached the output")
                lines = out.split("\n")
                check(lines[-1] == "", f"{what}: the output does not end with a line feed")
                lines = lines[:-1]
                if fmt == "--csv":
                    rows = list(csv.reader(io.StringIO(out, newline="")))
                    header = rows[0]
                    check(header[-1] == "error", f"{what}: header {header}")
                    rows = rows[1:]
                    check(len(rows) == len(LINES), f"{what}: {len(rows)} rows for {len(LINES)} lines")
                    for line, row in zip(LINES, rows):
                        check(len(row) == len(header), f"{what}: {line!r} gave {len(row)} fields, not {len(header)}: {row}")
                        if passes_through(line, command):
                            check(row == [""] * len(header), f"{what}: {line!r} gave {row}, not empty fields")
                elif fmt == "--json":
                    check(len(lines) == len(LINES), f"{what}: {len(lines)} lines for {len(LINES)}")
                    for line, text in zip(LINES, lines):
                        try:
                            json.loads(text)
                        except ValueError:
                            check(False, f"{what}: {line!r} gave no JSON: {text!r}")
                else:
                    check(len(lines) == len(LINES), f"{what}: {len(lines)} lines for {len(LINES)}")
                first = {"encode": "m11:6.6 r236.8", "decode": "ERROR: ", "algorit": "ERROR: "}[command]
                if fmt == "" and lines:
                    check(lines[0].startswith(first), f"{what}: the first line gave {lines[0]!r}")
                if fmt == "--csv" and command == "encode" and len(rows) > 0:
                    check(rows[0][-1] == "", f"{what}: the first line failed: {rows[0][-1]!r}")

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
