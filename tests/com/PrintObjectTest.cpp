// The Print object as a host sees it through ITavrin and its COM interfaces.
#include "TavrinModule.h"
#include "Variant.h"
#include <ocidl.h>
#include <olectl.h>

namespace {

using PrintObjectTest = PrintTest;

// An outer object gets the inner unknown or nothing; connections for property changes only;
// no property is read into nowhere.
TEST_F(PrintObjectTest, RefusesBadAggregationUnknownConnectionsAndNullOutPointers) {
    ComPtr<IUnknown> outer;
    void* p = reinterpret_cast<void*>(1);
    ASSERT_EQ(print.As(outer), S_OK);
    EXPECT_EQ(TavrinModule::Get().Create(CLSID_Print, outer.Get(), IID_ITavrin, &p), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(print->QueryInterface(IID_ITavrin, nullptr), E_POINTER);
    ComPtr<IConnectionPointContainer> cpc;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(print.As(cpc), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_ITavrin, point.Put()), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(print->get_Caption(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Options(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Font(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Version(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExt(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExts(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PageFrameColor(nullptr), E_POINTER);
}

// The failure is returned and kept as an error value.
TEST_F(PrintObjectTest, OptionsThatCannotBeCopiedKeepTheError) {
    Variant got;
    VARIANT bad;
    V_VT(&bad) = 15;  // no such variant type
    HRESULT hr = print->put_Options(bad);
    EXPECT_TRUE(FAILED(hr));
    ASSERT_EQ(print->get_Options(got.Put()), S_OK);
    ASSERT_EQ(got.Type(), VT_ERROR);
    EXPECT_EQ(V_ERROR(&got.Get()), hr);
}

}  // namespace
