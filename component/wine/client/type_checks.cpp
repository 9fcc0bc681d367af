// Checks of the type library and the version resource in a converterQV.dll file.

#include "component/wine/client/type_checks.hpp"

#include "component/wine/client/check.hpp"
#include "converterQV.h"
#include "component/wine/client/variant_array.hpp"

namespace client {
namespace {

WORD typeFlags(ITypeInfo* info) {
  TYPEATTR* attr = nullptr;
  if (!info || FAILED(info->GetTypeAttr(&attr))) return 0;
  const WORD flags = attr->wTypeFlags;
  info->ReleaseTypeAttr(attr);
  return flags;
}

bool has(WORD flags, WORD wanted) { return (flags & wanted) == wanted; }

void checkAlgorit(ITypeInfo* dispatchInfo, const std::string& where) {
  // The virtual-table side of the dual interface.
  HREFTYPE ref = 0;
  ITypeInfo* vtable = nullptr;
  if (FAILED(dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) ||
      FAILED(dispatchInfo->GetRefTypeInfo(ref, &vtable))) {
    check(false, where + ": the dual interface's virtual-table side");
    return;
  }
  check(has(typeFlags(vtable), TYPEFLAG_FOLEAUTOMATION), where + ": _convQV is oleautomation");
  FUNCDESC* f = nullptr;
  check(SUCCEEDED(vtable->GetFuncDesc(0, &f)), where + ": algorit is described");
  if (f) {
    check(f->memid == 0x60030000, where + ": algorit has dispid 0x60030000");
    check(f->oVft == static_cast<SHORT>(7 * sizeof(void*)), where + ": algorit follows the seven IDispatch methods");
    check(f->cParams == 2 && f->lprgelemdescParam[0].tdesc.vt == VT_PTR &&
              f->lprgelemdescParam[0].tdesc.lptdesc->vt == VT_SAFEARRAY &&
              (f->lprgelemdescParam[0].paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) ==
                  (PARAMFLAG_FIN | PARAMFLAG_FOUT) &&
              (f->lprgelemdescParam[1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL),
          where + ": algorit([in,out] SAFEARRAY(VARIANT)*, [out,retval] BSTR*)");
    vtable->ReleaseFuncDesc(f);
  }
  BSTR name = nullptr;
  UINT found = 0;
  vtable->GetNames(0x60030000, &name, 1, &found);
  check(found == 1 && name && std::wstring(name) == L"algorit", where + ": the method is named algorit");
  SysFreeString(name);
  vtable->Release();
}

}  // namespace

void checkTypeLibrary(const std::wstring& dll, SYSKIND expectedSyskind) {
  const std::string where = narrow(dll);
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, &library))) {
    check(false, where + ": the type library loads from the file");
    return;
  }
  TLIBATTR* lib = nullptr;
  library->GetLibAttr(&lib);
  check(IsEqualGUID(lib->guid, LIBID_convQVproj) && lib->wMajorVerNum == 1 && lib->wMinorVerNum == 0 &&
            lib->lcid == 0x409,
        where + ": library convQVproj 1.0, lcid 0x409");
  check(lib->syskind == expectedSyskind, where + ": the library's target system");
  library->ReleaseTLibAttr(lib);

  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  check(name && std::wstring(name) == L"convQVproj", where + ": the library is named convQVproj");
  SysFreeString(name);

  ITypeInfo* coclass = nullptr;
  library->GetTypeInfoOfGuid(CLSID_convQV, &coclass);
  check(has(typeFlags(coclass), TYPEFLAG_FCANCREATE | TYPEFLAG_FAPPOBJECT | TYPEFLAG_FPREDECLID),
        where + ": convQV is creatable, an application object and predeclared");
  HREFTYPE ref = 0;
  ITypeInfo* defaultInterface = nullptr;
  INT implFlags = 0;
  if (coclass && SUCCEEDED(coclass->GetRefTypeOfImplType(0, &ref))) coclass->GetRefTypeInfo(ref, &defaultInterface);
  if (coclass) coclass->GetImplTypeFlags(0, &implFlags);
  check(defaultInterface && (implFlags & IMPLTYPEFLAG_FDEFAULT), where + ": _convQV is the default interface");
  if (defaultInterface) defaultInterface->Release();
  if (coclass) coclass->Release();

  ITypeInfo* iface = nullptr;
  library->GetTypeInfoOfGuid(IID__convQV, &iface);
  check(has(typeFlags(iface), TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE),
        where + ": _convQV is hidden, dual, nonextensible, dispatchable");
  if (iface) {
    checkAlgorit(iface, where);
    iface->Release();
  }
  library->Release();
}

void checkVersionResource(const std::wstring& dll) {
  const std::string where = narrow(dll);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &handle);
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (size == 0 || !GetFileVersionInfoW(dll.c_str(), 0, size, data.data())) {
    check(false, where + ": a version resource");
    return;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
  check(fixed && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0, where + ": file version 1.0.0.0");

  const auto text = [&](const wchar_t* name) -> std::wstring {
    wchar_t* value = nullptr;
    UINT n = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &n) || !value) return L"<missing>";
    return value;
  };
  check(text(L"FileDescription") == L"DLL Test", where + ": FileDescription \"DLL Test\"");
  check(text(L"Comments") == L"Test-DLL", where + ": Comments \"Test-DLL\"");
  check(text(L"OLESelfRegister") != L"<missing>", where + ": marked self-registering");
}

}  // namespace client
