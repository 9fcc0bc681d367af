"""Every `$ qvcode ...` example of the README and docs/ runs, and prints what
the page shows under it.

An example is a line of a code block that starts with "$ "; the lines under it,
up to the next such line or the end of the block, are its standard output,
byte for byte.  The examples of one page run in order in one scratch folder,
so that a later one finds the files an earlier one wrote; the folder holds a
small stations.txt, and the tables and the layer of docs/tables-and-layers.md,
for the examples that read them.  An example may exit with
0 or 1 (a filter that marks bad lines); 2 and above fail it.

Usage: docs_examples_test.py QVCODE_DIR SOURCE_DIR
"""

import json
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

FIXTURES = {
    "stations.txt": "50 10\n-33.87, 151.21\n48°8′13″N 11°34′31″E\n",
    "sites.csv": 'name,lat,lon,note\nBerlin,52.52,13.405,"capital, river"\nSydney,-33.87,151.21,harbour\nNowhere,95,10,\n',
    "sites.tsv": "name\tposition\nBerlin\t13.405 52.52\nSydney\t151.21 -33.87\n",
    "codes.csv": "name,code\nBerlin,m1:119.4 r505.7\nSydney,m2:1184.2 r16326.8\n",
    "sites.geojson": json.dumps({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {"name": "Berlin", "height": 34},
         "geometry": {"type": "Point", "coordinates": [13.405, 52.52]}},
        {"type": "Feature", "properties": {"name": "Sydney", "height": 3},
         "geometry": {"type": "Point", "coordinates": [151.21, -33.87]}},
        {"type": "Feature", "properties": {"name": "Route", "height": None},
         "geometry": {"type": "LineString", "coordinates": [[0, 0], [1, 1]]}}]}),
}


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
            for name, text in FIXTURES.items():
                Path(folder, name).write_text(text, encoding="utf-8")
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
