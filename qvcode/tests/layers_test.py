#!/usr/bin/env python3
"""qvcode encode and decode --layer against Debian's gdal-bin.

  layers_test.py QVCODE

ogr2ogr makes a GeoPackage of points in EPSG:3857 (with a feature without a
geometry, an empty point and a line among them) and a Shapefile of points in
EPSG:25832 with fields of every type it holds.  Every point's code must be
what `qvcode encode --lon-first` gives for the same point taken to WGS 84 by
gdaltransform, every other feature must carry its reason, and every field
and geometry must come through as ogr2ogr reads them.  The codes decode to
points in EPSG:4326 with the fields `decode --csv` writes; what is refused
is refused with its message.  Exits 77 (skipped) without gdal-bin.
"""
import csv
import io
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

qvcode = os.path.abspath(sys.argv[1])
if not (shutil.which("ogr2ogr") and shutil.which("gdaltransform")):
    print("gdal-bin is missing (scripts/install-deps installs it)")
    sys.exit(77)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def rows_of(path):
    """The features of a data set as ogr2ogr writes them to CSV, geometry as WKT."""
    r = run(["ogr2ogr", "-f", "CSV", "/vsistdout/", path, "-lco", "GEOMETRY=AS_WKT"])
    assert r.returncode == 0, r.stderr
    return list(csv.DictReader(io.StringIO(r.stdout)))


def codes_by_gdaltransform(points, srs):
    """`qvcode encode --lon-first` of each x, y taken to WGS 84 by gdaltransform."""
    t = run(["gdaltransform", "-s_srs", srs, "-t_srs", "EPSG:4326", "-output_xy"],
            input="".join(f"{x!r} {y!r}\n" for x, y in points))
    e = run([qvcode, "encode", "--lon-first"], input=t.stdout)
    return e.stdout.splitlines()


def check_encoded(what, source, made, points, srs, special):
    inputs, outputs = rows_of(source), rows_of(made)
    check(len(inputs) == len(outputs), f"{what}: {len(outputs)} features of {len(inputs)}")
    for a, b in zip(inputs, outputs):
        if any(b[k] != v for k, v in a.items()):
            failures.append(f"{what}: feature {a} came out as {b}")
            break
    expected = codes_by_gdaltransform(points, srs)
    got = [b for b in outputs if b["error"] == ""]
    check([b["code"] for b in got] == expected, f"{what}: codes other than gdaltransform's and encode's")
    check(all(b["hour"] == c.split(":")[0][1:] for b, c in zip(got, expected)), f"{what}: hours")
    check({b["id"]: b["error"] for b in outputs if b["error"]} == special, f"{what}: the reasons")


rng = random.Random(20261210)
with tempfile.TemporaryDirectory() as folder:
    os.chdir(folder)
    # A GeoPackage of points in EPSG:3857 and three features that are none.
    R = 6378137.0
    points = []
    with open("mercator.csv", "w") as f:
        f.write("id,name,wkt\n")
        for i in range(3000):
            lat, lon = rng.uniform(-85, 85), rng.uniform(-180, 180)
            x, y = math.radians(lon) * R, math.log(math.tan(math.pi / 4 + math.radians(lat) / 2)) * R
            points.append((x, y))
            f.write(f'{i},"p{i}, ""{i % 7}""","POINT ({x!r} {y!r})"\n')
        f.write('3000,no geometry,\n3001,empty,POINT EMPTY\n3002,a line,"LINESTRING (0 0,1000 1000)"\n')
    r = run(["ogr2ogr", "-f", "GPKG", "mercator.gpkg", "mercator.csv", "-oo", "GEOM_POSSIBLE_NAMES=wkt",
             "-oo", "KEEP_GEOM_COLUMNS=NO", "-a_srs", "EPSG:3857", "-nlt", "GEOMETRY", "-nln", "places"])
    assert r.returncode == 0, r.stderr
    r = run([qvcode, "encode", "--layer", "mercator.gpkg", "--output-layer", "coded.gpkg"])
    check(r.returncode == 1 and r.stderr == "qvcode: encode: 3 of 3003 features failed, the first feature 3001: "
          "the feature has no geometry\n", f"GeoPackage: {r.returncode} {r.stderr!r}")
    # A GeoPackage may keep the empty point as no geometry.
    empty = "its point is empty" if rows_of("mercator.gpkg")[3001]["WKT"] else "the feature has no geometry"
    check_encoded("GeoPackage in EPSG:3857", "mercator.gpkg", "coded.gpkg", points, "EPSG:3857",
                  {"3000": "the feature has no geometry", "3001": empty,
                   "3002": "its geometry is a Line String, not a point"})

    # A Shapefile in EPSG:25832 (UTM zone 32N) with a field of every type.
    utm = [(rng.uniform(280000, 920000), rng.uniform(5200000, 6100000)) for _ in range(500)]
    with open("utm.csv", "w") as f, open("utm.csvt", "w") as t:
        t.write("Integer,Integer64,Real,String,Date,Real,Real\n")
        f.write("id,big,ratio,label,day,x,y\n")
        for i, (x, y) in enumerate(utm):
            f.write(f"{i},{2**40 + i},{rng.uniform(-1, 1)!r},\"Stelle {i}, Nord\",2026-12-{1 + i % 28:02d},{x!r},{y!r}\n")
    r = run(["ogr2ogr", "-f", "ESRI Shapefile", "utm.shp", "utm.csv", "-oo", "X_POSSIBLE_NAMES=x",
             "-oo", "Y_POSSIBLE_NAMES=y", "-oo", "KEEP_GEOM_COLUMNS=NO", "-a_srs", "EPSG:25832"])
    assert r.returncode == 0, r.stderr
    r = run([qvcode, "encode", "--layer", "utm.shp", "--output-layer", "coded.shp"])
    check(r.returncode == 0 and r.stderr == "", f"Shapefile: {r.returncode} {r.stderr!r}")
    check_encoded("Shapefile in EPSG:25832", "utm.shp", "coded.shp", utm, "EPSG:25832", {})
    types = run(["ogrinfo", "-so", "coded.shp", "coded"]).stdout
    check(all(t in types for t in ("big: Integer64", "ratio: Real", "day: Date", "hour: Integer",
                                   "distanceKm: Real")), f"Shapefile: field types {types}")

    # A Shapefile cut short: GDAL's reading fails after 300 points (on the
    # thread that reads), and the job fails with GDAL's reason, naming the
    # input, and removes what it wrote.
    for ext in ("shx", "dbf", "prj"):
        shutil.copy(f"utm.{ext}", f"cut.{ext}")
    with open("utm.shp", "rb") as f, open("cut.shp", "wb") as g:
        g.write(f.read(100 + 300 * 28))
    r = run([qvcode, "encode", "--layer", "cut.shp", "--output-layer", "cut.gpkg"])
    check(r.returncode == 2 and r.stderr.startswith("qvcode: encode: cannot read 'cut.shp': ") and
          "fread" in r.stderr and not os.path.exists("cut.gpkg"), f"cut Shapefile: {r.returncode} {r.stderr!r}")

    # The codes back to points in EPSG:4326, beside what decode --csv writes.
    r = run(["ogr2ogr", "-f", "GeoJSON", "codes.geojson", "coded.gpkg", "-select", "id,code", "-where",
             "code IS NOT NULL"])
    assert r.returncode == 0, r.stderr
    with open("codes.geojson") as f:
        text = f.read().replace('"code": "m1:', '"code": "m13:', 1)  # one malformed code
    with open("codes.geojson", "w") as f:
        f.write(text)
    r = run([qvcode, "decode", "--layer", "codes.geojson", "--code-field", "code", "--output-layer", "back.fgb"])
    check(r.returncode == 1 and "1 of 3000 features failed" in r.stderr, f"decode: {r.returncode} {r.stderr!r}")
    back = rows_of("back.fgb")
    plain = list(csv.DictReader(io.StringIO(run([qvcode, "decode", "--csv"],
                                                input="".join(b["code"] + "\n" for b in back)).stdout)))
    for b, p in zip(back, plain):
        if p["error"]:
            ok = b["error"] == p["error"] and b["WKT"] == ""
        else:
            # ogr2ogr writes 15 significant digits.
            near = lambda a, e: math.isclose(float(a), float(e), rel_tol=1e-14, abs_tol=1e-14)
            x, y = b["WKT"].removeprefix("POINT (").removesuffix(")").split()
            ok = all(near(b[k], p[k]) for k in ("latitude", "longitude", "farthestKm")) and \
                near(x, p["longitude"]) and near(y, p["latitude"])
        if not ok:
            failures.append(f"decode: {b} against {p}")
            break
    check('ID["EPSG",4326]' in run(["ogrinfo", "-so", "-al", "back.fgb"]).stdout, "decode: not in EPSG:4326")

    # Refused: (arguments, the message).
    REFUSED = [
        (["encode", "--layer", "mercator.gpkg", "--output-layer", "coded.gpkg"],
         "'coded.gpkg' exists; qvcode writes a new data set and leaves an existing one as it is"),
        (["encode", "--layer", "coded.gpkg", "--output-layer", "again.gpkg"],
         "the layer has a field 'code' already, which the new field 'code' would take (rename it first)"),
        (["decode", "--layer", "codes.geojson", "--code-field", "nothing", "--output-layer", "x.gpkg"],
         "the layer has no field 'nothing'"),
        (["encode", "--layer", "mercator.gpkg", "--layer-name", "other", "--output-layer", "x.gpkg"],
         "'mercator.gpkg' has no layer 'other'"),
        (["encode", "--layer", "mercator.gpkg", "--output-layer", "x.txt"],
         "cannot tell the format of 'x.txt' from its extension (.gpkg, .shp, .geojson, .fgb, .csv): give --format"),
        (["encode", "--layer", "missing.gpkg", "--output-layer", "x.gpkg"], "cannot open 'missing.gpkg': there is no such file"),
        (["encode", "--layer", "mercator.gpkg"], "--layer needs --output-layer, the data set to create"),
    ]
    for args, message in REFUSED:
        r = run([qvcode] + args)
        check(r.returncode == 2 and message in r.stderr, f"{args}: {r.returncode} {r.stderr!r}")
    check(not os.path.exists("x.gpkg") and not os.path.exists("again.gpkg"), "a refused job left its output")

for f in failures:
    print(f[:2000], file=sys.stderr)
print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
