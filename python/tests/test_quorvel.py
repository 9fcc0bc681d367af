"""The Python module quorvel against the cases file every layer shares, its
errors, and encode_array against encode, element by element."""

import math
import os
import re

import numpy as np
import pytest

import quorvel


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
        assert quorvel.encode(lat, lon).text == quorvel.encode(lat, math.remainder(lon, 360)).text
    elif expected.startswith("error"):
        number = int(expected.split()[1])
        with pytest.raises(quorvel.RuntimeError) as raised:
            quorvel.encode(lat, lon)
        assert raised.value.number == number, where
        assert isinstance(raised.value, RuntimeError)
    else:
        assert quorvel.encode(lat, lon).text == expected.strip('"').lstrip(), where


@pytest.mark.parametrize("fields,expected,where", shared_cases("decode"))
def test_decode_gives_the_shared_cases(fields, expected, where):
    lat, lon = quorvel.decode(fields[0].strip('"'))
    assert f"{lat:.15g} {lon:.15g}" == expected.strip('"'), where


@pytest.mark.parametrize("fields,expected,where", shared_cases("reject"))
def test_rejected_codes_name_their_field(fields, expected, where):
    with pytest.raises(quorvel.CodeFormatError, match=re.escape(expected.strip('"'))):
        quorvel.decode(fields[0].strip('"'))


def test_a_code_says_all_its_parts_and_a_precise_code_decodes_within_metres():
    code = quorvel.encode("50 10")
    assert (code.hour, round(code.offset_km, 3), round(code.distance_km, 3)) == (11, 6.643, 236.78)
    assert 330 <= code.bearing_deg < 360 and 0 <= code.sector_angle_deg <= 30
    assert quorvel.encode("48°8′13″N 11°34′31″E").text == "m5:0 r0"
    precise = quorvel.encode(50, 10, precision=3).text
    assert precise == "m11:6.643 r236.780"
    lat, lon = quorvel.decode(precise, precision=3)
    assert abs(lat - 50) < 1e-5 and abs(lon - 10) < 1e-5
    with pytest.raises(ValueError):
        quorvel.encode(50, 10, precision=7)


@pytest.mark.parametrize("position,reason", [
    ("95 0", "latitude 95 lies outside -90..90"),
    ("bad", "cannot be part of one"),
])
def test_positions_that_are_none_raise_position_error(position, reason):
    with pytest.raises(quorvel.PositionError, match=reason):
        quorvel.encode(position)


def test_encode_array_broadcasts_and_gives_each_element_what_encode_gives():
    rng = np.random.default_rng(20261210)
    lats = np.concatenate([rng.uniform(-90, 90, 997), [48.136944444444445, 48.146944444444443, 60.0]]).reshape(2, 500)
    lons = np.concatenate([rng.uniform(-180, 180, 997), [11.575277777777778, 0, 11.575277777777778]]).reshape(2, 500)
    result = quorvel.encode_array(lats, lons)
    assert result["text"].shape == (2, 500) and result["hour"].dtype == np.int16
    for i in np.ndindex(lats.shape):
        try:
            code = quorvel.encode(lats[i], lons[i])
        except quorvel.RuntimeError as e:
            assert result["error"][i] == e.number and result["text"][i] == ""
            continue
        assert result["error"][i] == 0
        assert result["text"][i] == code.text
        assert (result["hour"][i], result["offset_km"][i], result["distance_km"][i], result["bearing_deg"][i]) == (
            code.hour, code.offset_km, code.distance_km, code.bearing_deg)
    with pytest.raises(quorvel.PositionError, match="latitude 1e\\+308 lies outside -90..90"):
        quorvel.encode_array([50.0, 1e308], 10.0)
    column = quorvel.encode_array([[50.0], [30.0]], 10.0)
    assert column["text"].tolist() == [["m11:6.6 r236.8"], [quorvel.encode(30, 10).text]]
