// The module's exports: class objects, unload rules and the lock count.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"

namespace {

class ServerTest : public ComTest {};

TEST_F(ServerTest, ClassObjectsOfOtherClassesOrToNowhereAreRefused) {
    TavrinModule& m = TavrinModule::Get();
    EXPECT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, nullptr), E_POINTER);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(m.GetClassObject(IID_ITavrin, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
}

TEST_F(ServerTest, CanUnloadOnlyWhenNoObjectOrLockIsAlive) {
    TavrinModule& m = TavrinModule::Get();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(m.GetClassObject(CLSID_Print, IID_IClassFactory, factory.PutVoid()), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_OK) << "a cached factory alone must not pin the module";
    {
        ComPtr<ITavrin> print;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        ComPtr<IConnectionPointContainer> cpc;
        ASSERT_EQ(print.As(cpc), S_OK);
        print.Reset();
        EXPECT_EQ(m.CanUnloadNow(), S_FALSE) << "another interface still holds the object";
    }
    EXPECT_EQ(m.CanUnloadNow(), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(m.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
}

}  // namespace
