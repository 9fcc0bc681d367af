# Types of the Python module quorvel (the conversion library through pybind11).
import builtins
from typing import Optional, Tuple, overload

import numpy as np
import numpy.typing as npt

class RuntimeError(builtins.RuntimeError):  # noqa: A001
    number: int

class CodeFormatError(ValueError): ...
class PositionError(ValueError): ...

class Code:
    text: str  # "m11:6.6 r236.8"
    hour: int  # 1..12
    offset_km: float
    distance_km: float  # 0..20012.4
    bearing_deg: float  # clockwise from north, [0, 360)
    sector_angle_deg: float  # past the hour's ray, 0..30

@overload
def encode(lat: float, lon: float, precision: Optional[int] = None) -> Code: ...
@overload
def encode(position: str, precision: Optional[int] = None) -> Code: ...
def decode(text: str, precision: Optional[int] = None) -> Tuple[float, float]: ...
def encode_array(lats: npt.ArrayLike, lons: npt.ArrayLike) -> dict[str, np.ndarray]: ...
