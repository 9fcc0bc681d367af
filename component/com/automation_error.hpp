// Run-time errors as a COM caller sees them: the HRESULT of the Automation
// error number, and its text as error info and in EXCEPINFO.

#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "conversion/runtime_error.hpp"

namespace convqv {

struct Failure {
  HRESULT code;
  std::string description;
};

// DISP_E_BADINDEX, DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW and DISP_E_DIVBYZERO
// where Automation has one; otherwise the number in FACILITY_CONTROL, which
// script hosts turn back into the plain number (5, 94).
HRESULT hresultOf(qv::ErrorKind kind);

// Publishes `f` as the thread's error info (for early-bound callers through
// ISupportErrorInfo) and returns its code.
HRESULT raise(const Failure& f);

// Fills EXCEPINFO for a late-bound caller: scode and description.
void fillExcepInfo(EXCEPINFO* info, const Failure& f);

}  // namespace convqv
