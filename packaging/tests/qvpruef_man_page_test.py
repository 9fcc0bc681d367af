#!/usr/bin/env python3
"""The manual page QVpruef(1) against the programs.

  qvpruef_man_page_test.py QVPRUEF QVCODE PAGE

The page renders without a warning; its version is the program's; its
synopsis is the program's usage and its OPTIONS are the options that usage
names; the start-up values it states are the window's design values, which
`qvcode sweep` takes as its defaults.
"""
import os
import re
import subprocess
import sys

qvpruef, qvcode, page = sys.argv[1:4]
env = dict(os.environ, MANWIDTH="200", LC_ALL="C.UTF-8")
man = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, env=env)
if man.returncode != 0 or man.stderr:
    sys.exit(f"man -l {page} (status {man.returncode}):\n{man.stderr}")
rendered = " ".join(man.stdout.split())


def run(*args):
    return subprocess.run(list(args), capture_output=True, text=True, check=True).stdout


faults = []
version = run(qvpruef, "--version").split()[-1]
if f"Quorvel {version} QVPRUEF(1)" not in rendered:
    faults.append(f"the page is not of version {version}")

usage = run(qvpruef, "--help").splitlines()[0].removeprefix("Usage: ")
synopsis = re.search(r"SYNOPSIS (.*?) DESCRIPTION", rendered).group(1)
if synopsis != usage:
    faults.append(f"synopsis '{synopsis}', usage '{usage}'")
options_section = re.search(r"\nOPTIONS\n(.*?)\n[A-Z]+\n", man.stdout, re.S).group(1)
listed = set(re.findall(r"^ +(--[a-z-]+)", options_section, re.M))
if listed != set(re.findall(r"--[a-z-]+", usage)) | {"--help"}:
    faults.append(f"OPTIONS lists {sorted(listed)}, the usage '{usage}' and --help")

# The window's design values, as qvcode sweep's usage shows them.
sweep_help = " ".join(run(qvcode, "help", "sweep").split())
defaults = dict(re.findall(r"\[--([a-z-]+) ([^]\s|]+)\]", sweep_help))
report = re.search(r"--report PATH the report file \(default (\S+) in", sweep_help)
defaults["report"] = report and report.group(1)
stated = {
    "lat-from": r"the latitudes run from (\S+) to",
    "lat-to": r"the latitudes run from \S+ to (\S+) and",
    "lon-from": r"the longitudes from (\S+) to",
    "lon-to": r"the longitudes from \S+ to (\S+),",
    "lat-step": r"in steps of (\S+)\.",
    "lon-step": r"in steps of (\S+)\.",
    "tolerance": r"seconds of arc, at start-up (\S+);",
    "report": r"at start-up (\S+) in the home folder",
}
for option, pattern in stated.items():
    found = re.search(pattern, rendered)
    if not found or found.group(1) != defaults.get(option):
        faults.append(f"start-up {option}: the page says {found and found.group(1)}, the design {defaults.get(option)}")
if faults:
    sys.exit("QVpruef(1) is not true to the programs:\n  " + "\n  ".join(faults))
print("QVpruef(1) holds the program's version, usage, options and start-up values")
