#include "Registrar.h"
#include "Tavrin_h.h"
#include <objbase.h>

namespace {

// Keys that removal never deletes, whatever a script says.
const wchar_t* const kSharedKeys[] = {L"TypeLib", L"Software", L"SYSTEM", L"SECURITY", L"Hardware",
                                      L"Interface", L"FileType", L"Component Categories", L"CLSID", L"AppID"};

bool IsShared(const std::wstring& name) {
    for (const wchar_t* k : kSharedKeys)
        if (lstrcmpiW(k, name.c_str()) == 0) return true;
    return false;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[64];
    StringFromGUID2(guid, text, 64);
    return text;
}

RegEntry Key(std::wstring name, int flags = RegEntry::Plain) {
    RegEntry e;
    e.name = std::move(name);
    e.flags = flags;
    return e;
}

RegEntry Key(std::wstring name, std::wstring value, int flags = RegEntry::Plain) {
    RegEntry e = Key(std::move(name), flags);
    e.hasValue = true;
    e.value = std::move(value);
    return e;
}

RegEntry ProgId(const std::wstring& progId, const std::wstring& description, const CLSID& clsid,
                const std::wstring& curVer) {
    RegEntry e = Key(progId, description);
    e.keys.push_back(Key(L"CLSID", GuidText(clsid)));
    if (!curVer.empty()) e.keys.push_back(Key(L"CurVer", curVer));
    return e;
}

RegEntry InprocServer(const std::wstring& modulePath) {
    RegEntry e = Key(L"InprocServer32", modulePath);
    e.namedValues.emplace_back(L"ThreadingModel", L"Apartment");
    return e;
}

LONG SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { if (key_) RegCloseKey(key_); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Put() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

HRESULT Write(HKEY parent, const RegEntry& e) {
    if (e.flags & RegEntry::ForceRemove) RegDeleteTreeW(parent, e.name.c_str());
    RegKey key;
    LONG rc = RegCreateKeyExW(parent, e.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    if (e.hasValue && (rc = SetString(key.Get(), nullptr, e.value)) != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    for (const auto& v : e.namedValues)
        if ((rc = SetString(key.Get(), v.first.c_str(), v.second)) != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    for (const RegEntry& child : e.keys) {
        HRESULT hr = Write(key.Get(), child);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

bool HasSubkeys(HKEY key) {
    DWORD count = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           count > 0;
}

void Remove(HKEY parent, const RegEntry& e, bool atRoot) {
    bool keep = (e.flags & RegEntry::NoRemove) || (atRoot && IsShared(e.name));
    if (!keep && (e.flags & RegEntry::ForceRemove)) {
        RegDeleteTreeW(parent, e.name.c_str());
        return;
    }
    {
        RegKey key;
        if (RegOpenKeyExW(parent, e.name.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) return;
        for (const RegEntry& child : e.keys) Remove(key.Get(), child, false);
        // A plain key goes when nothing that others wrote is left below it.
        if (keep || HasSubkeys(key.Get())) return;
    }
    RegDeleteKeyW(parent, e.name.c_str());
}

}  // namespace

std::vector<RegEntry> PrintClassEntries(const std::wstring& modulePath) {
    const std::wstring name = L"Tavrin ActiveX Control";
    RegEntry cls = Key(GuidText(CLSID_Print), name, RegEntry::ForceRemove);
    cls.keys.push_back(Key(L"ProgID", L"Koravel.Print.1"));
    cls.keys.push_back(Key(L"VersionIndependentProgID", L"Koravel.Print"));
    cls.keys.push_back(Key(L"Programmable", RegEntry::ForceRemove));
    cls.keys.push_back(InprocServer(modulePath));
    cls.keys.push_back(Key(L"Control", RegEntry::ForceRemove));
    cls.keys.push_back(Key(L"Insertable", RegEntry::ForceRemove));
    cls.keys.push_back(Key(L"ToolboxBitmap32", modulePath + L", 101", RegEntry::ForceRemove));
    RegEntry misc = Key(L"MiscStatus", L"0");
    misc.keys.push_back(Key(L"1", L"132497"));
    cls.keys.push_back(misc);
    cls.keys.push_back(Key(L"TypeLib", GuidText(LIBID_TAVRINLib)));
    cls.keys.push_back(Key(L"Version", L"1.0"));
    RegEntry clsidRoot = Key(L"CLSID", RegEntry::NoRemove);
    clsidRoot.keys.push_back(cls);
    return {ProgId(L"Koravel.Print.1", name, CLSID_Print, L""),
            ProgId(L"Koravel.Print", name, CLSID_Print, L"Koravel.Print.1"), clsidRoot};
}

std::vector<RegEntry> PageClassEntries(const std::wstring& modulePath) {
    const std::wstring name = L"Page Class";
    RegEntry cls = Key(GuidText(CLSID_Page), name, RegEntry::ForceRemove);
    cls.keys.push_back(Key(L"ProgID", L"Tavrin.Page.1"));
    cls.keys.push_back(Key(L"VersionIndependentProgID", L"Tavrin.Page"));
    cls.keys.push_back(Key(L"Programmable"));
    cls.keys.push_back(InprocServer(modulePath));
    cls.keys.push_back(Key(L"TypeLib", GuidText(LIBID_TAVRINLib)));
    RegEntry clsidRoot = Key(L"CLSID", RegEntry::NoRemove);
    clsidRoot.keys.push_back(cls);
    return {ProgId(L"Tavrin.Page.1", name, CLSID_Page, L""), ProgId(L"Tavrin.Page", name, CLSID_Page, L"Tavrin.Page.1"),
            clsidRoot};
}

HRESULT RegisterEntries(HKEY root, const std::vector<RegEntry>& entries) {
    for (const RegEntry& e : entries) {
        HRESULT hr = Write(root, e);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT UnregisterEntries(HKEY root, const std::vector<RegEntry>& entries) {
    for (const RegEntry& e : entries) Remove(root, e, true);
    return S_OK;
}
