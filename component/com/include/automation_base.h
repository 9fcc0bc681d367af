// The header widl names for automation_base.idl: the real declarations of
// IUnknown and IDispatch come from the Windows headers.

#pragma once
#include <oaidl.h>
