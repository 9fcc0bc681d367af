# Types of the Python module quorvel (the conversion library through pybind11).
from typing import Optional, Tuple, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str  # the project's version, "1.0.0"

class ConversionError(ArithmeticError):
    number: int  # the Automation error number: 5 invalid call, 6 overflow

class CodeFormatError(ValueError): ...
class PositionError(ValueError): ...

class Code:
    """Immutable; compared field by field, hashable and picklable."""
    code: str  # "m11:6.6 r236.8"
    preciseCode: Optional[str]  # with precision=N: "m11:6.643 r236.780"
    hour: int  # 1..12
    distanceKm: float  # 0..20012.4
    offsetKm: float  # from the hour's ray, full precision
    bearingDegrees: float  # clockwise from north, [0, 360)
    sectorAngleDegrees: float  # past the hour's ray, 0..30

@overload
def encode(lat: float, lon: float, precision: Optional[int] = None) -> Code: ...
@overload
def encode(position: str, precision: Optional[int] = None) -> Code: ...
def decode(text: str, precision: Optional[int] = None) -> Tuple[float, float]: ...

# Arrays of the broadcast shape (numpy.ma arrays for masked input, numpy
# scalars for 0-d input): hour, distanceKm, offsetKm, bearingDegrees,
# sectorAngleDegrees, code, preciseCode (with precision), errorNumber.
def encode_array(
    lats: npt.ArrayLike, lons: npt.ArrayLike, precision: Optional[int] = None
) -> dict[str, Union[np.ndarray, np.generic]]: ...

# Arrays of the codes' shape: hour, offsetKm, distanceKm, latitude,
# longitude, errorNumber.
def decode_array(codes: npt.ArrayLike, precision: Optional[int] = None) -> dict[str, Union[np.ndarray, np.generic]]: ...
