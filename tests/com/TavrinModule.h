#pragma once
// The built Tavrin.DLL loaded into the test process, with its exports.
#include <gtest/gtest.h>
#include <objbase.h>
#include <string>

class TavrinModule {
public:
    static TavrinModule& Get();
    HMODULE Handle() const { return module_; }
    std::wstring Path() const { return path_; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const { return getClassObject_(clsid, iid, out); }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }
    HRESULT Register() const { return register_(); }
    HRESULT Unregister() const { return unregister_(); }
    // Creates an object of one of the module's classes without the registry.
    HRESULT Create(REFCLSID clsid, IUnknown* outer, REFIID iid, void** out) const;

private:
    TavrinModule();
    HMODULE module_ = nullptr;
    std::wstring path_;
    HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
    HRESULT(STDAPICALLTYPE* register_)() = nullptr;
    HRESULT(STDAPICALLTYPE* unregister_)() = nullptr;
};

// COM initialised for each test of a fixture deriving from this.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};
