// The preview in a prefix whose spooler cannot reach CUPS: the frame opens, nothing is recorded,
// the view is the background alone.
#include "CPrint.h"
#include "TestProvider.h"
#include <gtest/gtest.h>

namespace {

TEST(NoPrinterPreviewTest, OpensEmptyWithTheDefaultGrid) {
    char ports[256] = {};
    GetProfileStringA("PrinterPorts", nullptr, "", ports, sizeof ports);
    ASSERT_EQ(ports[0], '\0') << "this test needs a system without printers";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        ComPtr<ITavrin> print;
        ASSERT_EQ(CreateComObject<CPrint>(nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        print->put_PrintExt(NewProvider().Get());
        ASSERT_EQ(print->Preview(), S_OK);
        long frame = 0, pages = -1;
        print->get_hWnd(&frame);
        print->get_PagesCount(&pages);
        ASSERT_NE(frame, 0);
        EXPECT_EQ(pages, 0);
        HWND workspace = FindWindowExA(HWND(LONG_PTR(frame)), nullptr, "Koravel.Print.Workspace", nullptr);
        EXPECT_EQ(SendMessageA(workspace, RegisterWindowMessageA("PM_PREMULTIPLYPAGES"), 0, 0), MAKELONG(3, 3));
        RECT client;
        GetClientRect(workspace, &client);
        UpdateWindow(workspace);
        HDC dc = GetDC(workspace);
        EXPECT_EQ(GetPixel(dc, client.right / 2, client.bottom / 2), GetSysColor(COLOR_MENU)) << "no page";
        ReleaseDC(workspace, dc);
        SendMessageA(HWND(LONG_PTR(frame)), WM_CLOSE, 0, 0);
    }
    CoUninitialize();
}

}  // namespace
