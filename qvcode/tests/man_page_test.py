#!/usr/bin/env python3
"""The manual page and `qvcode help` say the same: both are made from docs/qvcode.md.

  man_page_test.py QVCODE PAGE

The page renders without a warning; every command's usage, summary and every
block of its help (paragraphs, examples, options) stand in the rendered page,
word for word once blanks are set aside; and every exit status is listed.
"""
import os
import re
import subprocess
import sys

qvcode, page = sys.argv[1], sys.argv[2]
env = dict(os.environ, MANWIDTH="100", LC_ALL="C.UTF-8")
man = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True, env=env)
if man.returncode != 0 or man.stderr:
    sys.exit(f"man -l {page} (status {man.returncode}):\n{man.stderr}")


def words(text):
    return " ".join(text.split())


rendered = words(man.stdout)
missing = []
for command in ["encode", "decode", "algorit", "sweep", "merge"]:
    help_text = subprocess.run([qvcode, "help", command], capture_output=True, text=True, check=True).stdout
    blocks = help_text.split("\n\n")
    usage = re.sub(r"^Usage: ", "", blocks[0])
    summary = re.sub(r"^qvcode [a-z]+: ", "", blocks[1])
    for piece in [usage, summary[0].upper() + summary[1:]] + blocks[2:]:
        if words(piece) not in rendered:
            missing.append(f"{command}: {words(piece)[:100]}")
exit_section = man.stdout[man.stdout.find("EXIT STATUS"):]
for status in ["0", "1", "2", "130"]:
    if not re.search(rf"\n +{status}\b", exit_section):
        missing.append(f"exit status {status}")
if missing:
    sys.exit("The manual page lacks what `qvcode help` says:\n  " + "\n  ".join(missing))
print("the manual page holds every command's help")
