"""Every `$ qvcode ...` example of the README and docs/ runs, and prints what
the page shows under it.

An example is a line of a code block that starts with "$ "; the lines under it,
up to the next such line or the end of the block, are its standard output,
byte for byte.  The examples of one page run in order in one scratch folder,
so that a later one finds the files an earlier one wrote; the folder holds a
small stations.txt for the examples that read one.  An example may exit with
0 or 1 (a filter that marks bad lines); 2 and above fail it.

Usage: docs_examples_test.py QVCODE_DIR SOURCE_DIR
"""

import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

STATIONS = "50 10\n-33.87, 151.21\n48°8′13″N 11°34′31″E\n"


def examples(page):
    """(line number, command, expected output) of a Markdown page."""
    found = []
    in_fence = False
    current = None
    for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
        if line.lstrip().startswith("```"):
            in_fence = not in_fence
            current = None
            continue
        indented = line.startswith("    ")
        if not (in_fence or indented):
            current = None
            continue
        text = line[4:] if indented and not in_fence else line
        if text.startswith("$ ") and "qvcode" in text:
            current = [number, text[2:], []]
            found.append(current)
        elif text.startswith("$ "):
            current = None
        elif current is not None:
            current[2].append(text)
    return [(n, command, "".join(l + "\n" for l in out)) for n, command, out in found]


def main():
    qvcode_dir, source = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    pages = [source / "README.md"] + sorted((source / "docs").glob("*.md"))
    env = dict(os.environ, PATH=f"{qvcode_dir}{os.pathsep}{os.environ['PATH']}", LC_ALL="C.UTF-8")
    failures, count = [], 0
    for page in pages:
        cases = examples(page)
        if not cases:
            continue
        with tempfile.TemporaryDirectory() as folder:
            Path(folder, "stations.txt").write_text(STATIONS, encoding="utf-8")
            for number, command, expected in cases:
                count += 1
                run = subprocess.run(["bash", "-c", command], cwd=folder, env=env, capture_output=True,
                                     text=True, timeout=600)
                where = f"{page.relative_to(source)}:{number}: $ {command}"
                if run.returncode > 1:
                    failures.append(f"{where}\n  exit status {run.returncode}: {run.stderr.strip()}")
                elif run.stdout != expected:
                    failures.append(f"{where}\n  shown:\n{expected}  printed:\n{run.stdout}")
    for f in failures:
        print(f, file=sys.stderr)
    print(f"{count} examples, {len(failures)} not as shown")
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
