// DllRegisterServer and DllUnregisterServer: the class, ProgID and type library keys.

#include "component/com/registration.hpp"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "converterQV.h"
#include "component/com/server_state.hpp"

namespace convqv {
namespace {

constexpr wchar_t progId[] = L"convQVproj.convQV";
constexpr wchar_t className[] = L"convQV";

#ifdef _WIN64
constexpr SYSKIND ownSyskind = SYS_WIN64;
constexpr REGSAM otherView = KEY_WOW64_32KEY;
#else
constexpr SYSKIND ownSyskind = SYS_WIN32;
constexpr REGSAM otherView = KEY_WOW64_64KEY;
#endif

std::wstring guidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring classKey() { return L"CLSID\\" + guidText(CLSID_convQV); }

HRESULT setText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h = nullptr;
  LONG r = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
  if (r == ERROR_SUCCESS) {
    r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
  }
  return HRESULT_FROM_WIN32(r);
}

std::wstring readText(const std::wstring& key, REGSAM view = 0) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE | view, &h) != ERROR_SUCCESS) return {};
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  const LONG r = RegQueryValueExW(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(h);
  return r == ERROR_SUCCESS && type == REG_SZ ? value : std::wstring();
}

HRESULT modulePath(std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD n = GetModuleFileNameW(module(), buffer, MAX_PATH);
  if (n == 0 || n == MAX_PATH) return HRESULT_FROM_WIN32(GetLastError());
  path.assign(buffer, n);
  return S_OK;
}

HRESULT registerTypeLibrary(std::wstring path) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  hr = RegisterTypeLib(library, path.data(), nullptr);
  library->Release();
  return hr;
}

HRESULT registerAll() {
  std::wstring path;
  HRESULT hr = modulePath(path);
  const std::wstring key = classKey();
  const std::wstring clsid = guidText(CLSID_convQV);
  if (SUCCEEDED(hr)) hr = setText(key, nullptr, className);
  if (SUCCEEDED(hr)) hr = setText(key + L"\\InprocServer32", nullptr, path);
  if (SUCCEEDED(hr)) hr = setText(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (SUCCEEDED(hr)) hr = setText(key + L"\\ProgID", nullptr, progId);
  if (SUCCEEDED(hr)) hr = setText(key + L"\\TypeLib", nullptr, guidText(LIBID_convQVproj));
  if (SUCCEEDED(hr)) hr = setText(key + L"\\Version", nullptr, L"1.0");
  if (SUCCEEDED(hr)) hr = setText(progId, nullptr, className);
  if (SUCCEEDED(hr)) hr = setText(std::wstring(progId) + L"\\CLSID", nullptr, clsid);
  if (SUCCEEDED(hr)) hr = registerTypeLibrary(path);
  return hr;
}

}  // namespace

HRESULT registerServer() {
  const HRESULT hr = registerAll();
  if (FAILED(hr)) {
    unregisterServer();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT unregisterServer() {
  UnRegisterTypeLib(LIBID_convQVproj, 1, 0, 0x409, ownSyskind);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey().c_str());

  const bool otherViewRegisters = !readText(classKey() + L"\\InprocServer32", otherView).empty();
  const bool progIdIsOurs = readText(std::wstring(progId) + L"\\CLSID") == guidText(CLSID_convQV);
  if (progIdIsOurs && !otherViewRegisters) RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
  return S_OK;
}

}  // namespace convqv
