#pragma once
// Process-wide module state: the instance handle, the lock count that
// DllCanUnloadNow reads, the critical section around first-time creations,
// and the type library embedded as TYPELIB resource 1.
#include <windows.h>
#include <oaidl.h>
#include <string>

class CModule {
public:
    static void Init(HINSTANCE instance);
    static HINSTANCE Instance();
    static void Lock();
    static void Unlock();
    static LONG LockCount();
    // Full path of the module file (the DLL, or the executable when linked statically).
    static const wchar_t* Path();

    // Type information for an interface of the embedded type library (AddRef'ed).
    static HRESULT GetTypeInfo(REFGUID guid, ITypeInfo** out);
    static HRESULT GetTypeLib(ITypeLib** out);
    // Drops cached type information; called when the module may unload.
    static void ReleaseTypeLib();

    // Module critical section, held for the life of the scope.
    class CLock {
    public:
        CLock();
        ~CLock();
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;
    };
};

// "%i.%i.%i.%i" of the module's fixed file version, most significant part first; empty when
// the module has no version resource.
std::string ModuleFileVersion();
