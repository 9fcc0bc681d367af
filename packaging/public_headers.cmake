# The conversion's public headers: what libquorvel-dev and `cmake --install`
# put under include/quorvel/conversion/, for programs that link
# Quorvel::conversion.  Names are relative to conversion/.
#
# A header joins this list only if it includes nothing but the standard
# library and headers already on it: the install test compiles each installed
# header on its own against the installed tree, so a header that reaches for
# one left out (the working values, the correctly rounded functions, the
# lanes) fails there.  conversion.hpp is also installed as
# <quorvel/conversion.hpp>.
set(QV_PUBLIC_HEADERS
  conversion.hpp
  position.hpp
  position_reader.hpp
  code_reader.hpp
  precise_code.hpp
  code_ranges.hpp
  code_cover.hpp
  code_text.hpp
  batch_conversion.hpp
  round_trip_point.hpp
  encoding.hpp
  number_text.hpp
  dms.hpp
  printable_text.hpp
  runtime_error.hpp)
