#pragma once
// The built Tavrin.DLL loaded into the test process, with its exports.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <string>

class TavrinModule {
public:
    static TavrinModule& Get() {
        static TavrinModule module;
        return module;
    }
    std::wstring Path() const { return path_; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
        return Call<Factory>("DllGetClassObject", clsid, iid, out);
    }
    HRESULT CanUnloadNow() const { return Call<Action>("DllCanUnloadNow"); }
    HRESULT Register() const { return Call<Action>("DllRegisterServer"); }
    HRESULT Unregister() const { return Call<Action>("DllUnregisterServer"); }
    // Creates an object of one of the module's classes without the registry.
    HRESULT Create(REFCLSID clsid, IUnknown* outer, REFIID iid, void** out) const {
        ComPtr<IClassFactory> factory;
        const HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.PutVoid());
        return FAILED(hr) ? hr : factory->CreateInstance(outer, iid, out);
    }

private:
    using Factory = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using Action = HRESULT(STDAPICALLTYPE*)();
    TavrinModule() {
        const std::string unixPath = TAVRIN_DLL_PATH;
        for (char c : unixPath[0] == '/' ? "Z:" + unixPath : unixPath) path_ += c == '/' ? L'\\' : wchar_t(c);
        module_ = LoadLibraryW(path_.c_str());
    }
    template <class F, class... Args>
    HRESULT Call(const char* name, Args... args) const {
        const auto f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        return f ? f(args...) : E_UNEXPECTED;
    }
    HMODULE module_ = nullptr;
    std::wstring path_;
};

// COM initialised for each test of a fixture deriving from this.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

// A Print object of the module for each test, released before COM goes.
class PrintTest : public ComTest {
protected:
    static ComPtr<ITavrin> NewPrint() {
        ComPtr<ITavrin> p;
        EXPECT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, p.PutVoid()), S_OK);
        return p;
    }
    void SetUp() override {
        ComTest::SetUp();
        print = NewPrint();
        ASSERT_TRUE(print);
    }
    void TearDown() override {
        print.Reset();
        ComTest::TearDown();
    }
    ComPtr<ITavrin> print;
};
