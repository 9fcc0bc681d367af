"""The Python module quorvel against the cases file every layer shares and
the fields of qvcode's JSON, its errors at the edge, and the array functions
against the single ones, element by element."""

import json
import math
import os
import pickle
import re
import subprocess

import numpy as np
import pytest

import quorvel

# 1,000 random positions over the sphere, and near the reference point.
RNG = np.random.default_rng(20261210)
LATS = np.concatenate([np.degrees(np.arcsin(RNG.uniform(-1, 1, 996))), [48.136944444444445, 48.146944444444443,
                                                                       60.0, 48.13694444536026]])
LONS = np.concatenate([RNG.uniform(-180, 180, 996), [11.575277777777778, 0, 11.575277777777778, 11.575277777777551]])
# A position whose forward conversion fails: its arc cosine rounds past 1.
FAILING = (48.13694444536026, 11.575277777124551)


def shared_cases(kind):
    """(input fields, expected, where) of one kind in testdata/cases.txt."""
    cases = []
    with open(os.environ["QV_CASES_FILE"], encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = re.match(rf"{kind} (.*?) => (.*?)(?:  # .*)?$", line.rstrip("\n"))
            if m:
                cases.append((m.group(1).split(","), m.group(2), f"cases.txt:{number}"))
    assert cases, kind
    return cases


@pytest.mark.parametrize("fields,expected,where", shared_cases("encode"))
def test_encode_gives_the_shared_cases(fields, expected, where):
    lat, lon = (float(f) for f in fields)
    # The cases are the conversion's, which takes every number; numbers from
    # Python are taken as meant.
    if not abs(lat) <= 90:
        with pytest.raises(quorvel.PositionError):
            quorvel.encode(lat, lon)
    elif not abs(lon) <= 180:
        assert quorvel.encode(lat, lon).code == quorvel.encode(lat, math.remainder(lon, 360)).code
    else:
        assert quorvel.encode(lat, lon).code == expected.strip('"').lstrip(), where


@pytest.mark.parametrize("fields,expected,where", shared_cases("decode"))
def test_decode_gives_the_shared_cases(fields, expected, where):
    lat, lon = quorvel.decode(fields[0].strip('"'))
    assert f"{lat:.15g} {lon:.15g}" == expected.strip('"'), where


@pytest.mark.parametrize("fields,expected,where", shared_cases("reject"))
def test_rejected_codes_name_their_field(fields, expected, where):
    with pytest.raises(quorvel.CodeFormatError, match=re.escape(expected.strip('"'))):
        quorvel.decode(fields[0].strip('"'))


def qvcode_json(*args):
    out = subprocess.run([os.environ["QV_QVCODE"], *args, "--json"], capture_output=True, text=True, check=True)
    return json.loads(out.stdout)


@pytest.mark.parametrize("position,precision", [("50 10", None), ("-33.87 151.21", 3), ("48.136944444444445 11.5752", 0),
                                                ("0 -179.9", 6), ("12 370", None)])
def test_every_edge_gives_qvcode_json_names_and_values(position, precision):
    """encode, encode_array and decode_array give the fields of qvcode's JSON
    under its names, with the same doubles; nothing under another name."""
    wanted = ["--precision", str(precision)] if precision is not None else []
    given = qvcode_json("encode", *wanted, position)
    given["code"] = given["code"].lstrip()  # the report's leading blank is the CLI's alone
    lat, lon = (float(f) for f in position.split())
    code = quorvel.encode(lat, lon, precision=precision)
    assert code == quorvel.encode(position, precision=precision)
    public = {name for name in dir(code) if not name.startswith("_")}
    assert public <= set(given) | {"preciseCode"}
    assert {name: getattr(code, name) for name in public} == {name: given.get(name) for name in public}
    array = quorvel.encode_array([lat], [lon], precision=precision)
    assert set(array) - {"errorNumber"} <= set(given)
    assert {k: v[0] for k, v in array.items() if k != "errorNumber"} == {k: given[k] for k in array if k != "errorNumber"}

    text = given["preciseCode"] if precision is not None else given["code"]
    back = qvcode_json("decode", *wanted, text)
    decoded = quorvel.decode_array([text], precision=precision)
    assert set(decoded) - {"errorNumber"} <= set(back)
    assert {k: v[0] for k, v in decoded.items() if k != "errorNumber"} == {k: back[k] for k in decoded if k != "errorNumber"}
    assert quorvel.decode(text, precision=precision) == (back["latitude"], back["longitude"])


def test_the_version_is_the_projects():
    assert quorvel.__version__ == os.environ["QV_VERSION"]
    assert subprocess.run([os.environ["QV_QVCODE"], "--version"], capture_output=True, text=True,
                          check=True).stdout.split()[-1] == quorvel.__version__


NAN, INF = float("nan"), float("inf")


@pytest.mark.parametrize("call,raised,message", [
    # What is no number is a TypeError that says what came.
    (lambda: quorvel.encode(None, 10), TypeError, "latitude must be a real number, not None"),
    (lambda: quorvel.encode(50, "10"), TypeError, "longitude must be a real number, not str"),
    (lambda: quorvel.encode(True, 10), TypeError, "latitude must be a real number, not bool"),
    (lambda: quorvel.encode(50, 1j), TypeError, "longitude must be a real number, not complex"),
    (lambda: quorvel.encode_array(None, None), TypeError, "lats is None"),
    (lambda: quorvel.encode_array([50, None], 10), TypeError, "lats at index 1 must be a real number, not None"),
    (lambda: quorvel.encode_array(np.array(["50"]), 10), TypeError, r"lats must be real numbers, not texts \(dtype <U2\)"),
    (lambda: quorvel.encode_array(50, np.array(["2026-12-10"], "datetime64[D]")), TypeError, "lons .* dates or times"),
    (lambda: quorvel.encode_array(np.array([50 + 1j]), 10), TypeError, "lats .* complex numbers"),
    (lambda: quorvel.encode_array(np.array([True]), 10), TypeError, "lats .* booleans"),
    (lambda: quorvel.decode_array([1.5]), TypeError, r"codes must be code texts \(str\), not dtype float64"),
    (lambda: quorvel.decode_array(["m11:6.6 r236.8", None]), TypeError, "codes at index 1 must be a code text"),
    # Numbers that are no position are a ValueError naming the number, and
    # in an array its index.
    (lambda: quorvel.encode(NAN, 10), "PositionError", "latitude nan is not a finite number"),
    (lambda: quorvel.encode(50, -INF), "PositionError", "longitude -inf is not a finite number"),
    (lambda: quorvel.encode(10**400, 0), "PositionError", "latitude of 401 digits is beyond every double"),
    (lambda: quorvel.encode_array([[50, 10], [NAN, 3]], 10), "PositionError",
     r"at index \(1, 0\): latitude nan is not a finite number"),
    (lambda: quorvel.encode_array(10, [1, INF]), "PositionError", "at index 1: longitude inf"),
    (lambda: quorvel.encode_array([50.0, 1e308], 10.0), "PositionError", r"latitude 1e\+308 lies outside -90..90"),
    (lambda: quorvel.decode_array(np.array([["m11:6.6 r236.8", "m13:0 r0"]])), "CodeFormatError",
     r"at index \(0, 1\): malformed code 'm13:0 r0': hour '13'"),
    (lambda: quorvel.encode(50, 10, precision=7), ValueError, "precision takes 0 to 6 decimals, not 7"),
    # A step that fails is arithmetic, with its Automation error number.
    (lambda: quorvel.encode(*FAILING), "ConversionError", "Invalid procedure call or argument"),
])
def test_what_is_no_position_raises_an_error_that_says_why(call, raised, message):
    # The module's own classes by name: the table must load where one is missing.
    raised = getattr(quorvel, raised) if isinstance(raised, str) else raised
    with pytest.raises(raised, match=message) as error:
        call()
    if raised.__name__ == "ConversionError":
        assert error.value.number == 5 and isinstance(error.value, ArithmeticError)
    assert issubclass(quorvel.PositionError, ValueError) and issubclass(quorvel.CodeFormatError, ValueError)
    assert not hasattr(quorvel, "RuntimeError")


@pytest.mark.parametrize("precision", [None, 0, 3, 6])
def test_the_array_functions_give_each_element_what_the_single_ones_give(precision):
    lats, lons = LATS.reshape(2, 500), LONS.reshape(2, 500)
    codes = quorvel.encode_array(lats, lons, precision=precision)
    assert codes["code"].shape == (2, 500) and codes["hour"].dtype == np.int16
    texts = codes["code"] if precision is None else codes["preciseCode"]
    for i in np.ndindex(lats.shape):
        try:
            code = quorvel.encode(lats[i], lons[i], precision=precision)
        except quorvel.ConversionError as e:
            assert codes["errorNumber"][i] == e.number and codes["code"][i] == ""
            continue
        assert codes["errorNumber"][i] == 0
        assert (codes["code"][i], codes["hour"][i], codes["distanceKm"][i], codes["offsetKm"][i],
                codes["bearingDegrees"][i], codes["sectorAngleDegrees"][i]) == (
            code.code, code.hour, code.distanceKm, code.offsetKm, code.bearingDegrees, code.sectorAngleDegrees)
        if precision is not None:
            assert codes["preciseCode"][i] == code.preciseCode
    good = codes["errorNumber"] == 0
    back = quorvel.decode_array(texts[good], precision=precision)
    assert not back["errorNumber"].any()
    assert list(zip(back["latitude"], back["longitude"])) == [quorvel.decode(t, precision=precision)
                                                              for t in texts[good]]
    column = quorvel.encode_array([[50.0], [30.0]], 10.0)
    assert column["code"].tolist() == [["m11:6.6 r236.8"], [quorvel.encode(30, 10).code]]


def test_masked_elements_are_never_converted_and_stay_masked():
    # Thrice the positions: the batch's pieces of 1,024 each gather some.
    all_lats, all_lons = np.tile(LATS, 3), np.tile(LONS, 3)
    mask = np.random.default_rng(7).random(all_lats.size) < 0.3
    # Under the mask lie numbers that would raise if they were converted.
    lats = np.ma.array(np.where(mask, 1e308, all_lats), mask=mask)
    lons = np.ma.array(np.where(mask, NAN, all_lons), mask=mask)
    codes = quorvel.encode_array(lats, lons, precision=2)
    plain = quorvel.encode_array(all_lats[~mask], all_lons[~mask], precision=2)
    for key, values in codes.items():
        assert np.ma.isMaskedArray(values) and (np.ma.getmaskarray(values) == mask).all(), key
        assert (values.compressed() == plain[key]).all(), key
    # A mask on one side masks the broadcast element; a plain side adds none.
    grid = quorvel.encode_array(np.ma.array([50.0, 95.0], mask=[False, True]), [[10.0], [20.0], [30.0]])
    assert grid["code"].mask.tolist() == [[False, True]] * 3
    assert grid["code"][2, 0] == quorvel.encode(50, 30).code

    # Back, the failed conversions' empty codes masked too.
    unread = mask | (codes["errorNumber"].data != 0)
    texts = np.ma.array(np.where(unread, "no code", codes["code"].data), mask=unread)
    back = quorvel.decode_array(texts)
    assert (back["latitude"].mask == unread).all()
    assert (back["latitude"].compressed() == quorvel.decode_array(texts.compressed())["latitude"]).all()
    objects = np.ma.array([None, "m11:6.6 r236.8"], dtype=object, mask=[True, False])
    assert quorvel.decode_array(objects)["hour"].tolist() == [None, 11]


@pytest.mark.parametrize("call", [
    lambda: quorvel.encode_array(50, 10),
    lambda: quorvel.encode_array(np.float32(50), np.array(10)),
    lambda: quorvel.encode_array(50, 10, precision=1),
    lambda: quorvel.decode_array("m11:6.6 r236.8"),
    lambda: quorvel.decode_array(np.ma.array("m11:6.6 r236.8")),
])
def test_scalars_in_give_numpy_scalars_out_as_ufuncs_do(call):
    # np.sin(np.array(0.5)) is an np.float64, not a 0-d array: so are these.
    for key, value in call().items():
        assert isinstance(value, np.generic) and type(value) is value.dtype.type, key
    masked = quorvel.encode_array(np.ma.masked_invalid(NAN), 10)
    assert all(value is np.ma.masked for value in masked.values())


def test_a_code_is_a_value():
    code = quorvel.encode(50, 10, precision=3)
    assert (code.code, code.preciseCode, code.hour) == ("m11:6.6 r236.8", "m11:6.643 r236.780", 11)
    assert pickle.loads(pickle.dumps(code)) == code
    same, other = quorvel.encode("50 10", precision=3), quorvel.encode(50, 10)
    assert same == code and hash(same) == hash(code) and other != code and code != code.code
    assert len({code, same, other}) == 2 and other.preciseCode is None
    with pytest.raises(AttributeError):
        code.hour = 12
