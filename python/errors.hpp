// The module's exceptions: quorvel.ConversionError (an ArithmeticError whose
// .number is the Automation error number of the step that failed),
// quorvel.CodeFormatError and quorvel.PositionError (ValueErrors).  The
// library's qv::RuntimeError, qv::CodeFormatError and qv::PositionError
// become them wherever they leave a bound function.
#pragma once

#include <pybind11/pybind11.h>

namespace quorvel {

// Makes the classes, adds them to the module and registers the translation;
// once, at import.
void addErrors(pybind11::module_& m);

}  // namespace quorvel
