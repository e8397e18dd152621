#include "Module.h"
#include "ComPtr.h"
#include <windows.h>
#include <map>
#include <vector>

namespace {

struct ModuleState {
    HINSTANCE instance = nullptr;
    LONG locks = 0;
    CRITICAL_SECTION cs;
    wchar_t path[MAX_PATH] = {};
    ITypeLib* typeLib = nullptr;  // owned; released by ReleaseTypeLib
    std::map<GUID, ITypeInfo*, bool (*)(const GUID&, const GUID&)> infos{
        [](const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) < 0; }};
    ModuleState() { InitializeCriticalSection(&cs); }
    ~ModuleState() { DeleteCriticalSection(&cs); }
};

ModuleState& State() {
    static ModuleState state;
    return state;
}

}  // namespace

void CModule::Init(HINSTANCE instance) {
    State().instance = instance;
    GetModuleFileNameW(instance, State().path, MAX_PATH);
}

HINSTANCE CModule::Instance() {
    ModuleState& s = State();
    if (!s.instance) Init(GetModuleHandleW(nullptr));
    return s.instance;
}

const wchar_t* CModule::Path() {
    Instance();
    return State().path;
}

void CModule::Lock() { InterlockedIncrement(&State().locks); }
void CModule::Unlock() { InterlockedDecrement(&State().locks); }
LONG CModule::LockCount() { return State().locks; }

CModule::CLock::CLock() { EnterCriticalSection(&State().cs); }
CModule::CLock::~CLock() { LeaveCriticalSection(&State().cs); }

HRESULT CModule::GetTypeLib(ITypeLib** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    CLock lock;
    ModuleState& s = State();
    if (!s.typeLib) {
        HRESULT hr = LoadTypeLibEx(Path(), REGKIND_NONE, &s.typeLib);
        if (FAILED(hr)) return hr;
    }
    s.typeLib->AddRef();
    *out = s.typeLib;
    return S_OK;
}

HRESULT CModule::GetTypeInfo(REFGUID guid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ComPtr<ITypeLib> lib;
    HRESULT hr = GetTypeLib(lib.Put());
    if (FAILED(hr)) return hr;
    CLock lock;
    ModuleState& s = State();
    auto it = s.infos.find(guid);
    if (it == s.infos.end()) {
        ITypeInfo* info = nullptr;
        hr = lib->GetTypeInfoOfGuid(guid, &info);
        if (FAILED(hr)) return hr;
        it = s.infos.emplace(guid, info).first;
    }
    it->second->AddRef();
    *out = it->second;
    return S_OK;
}

void CModule::ReleaseTypeLib() {
    CLock lock;
    ModuleState& s = State();
    for (auto& entry : s.infos) entry.second->Release();
    s.infos.clear();
    if (s.typeLib) s.typeLib->Release();
    s.typeLib = nullptr;
}

std::string ModuleFileVersion() {
    const wchar_t* path = CModule::Path();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (!size) return {};
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info) return {};
    char text[64];
    wsprintfA(text, "%i.%i.%i.%i", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
              HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}
