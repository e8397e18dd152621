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
        // The pages pane and the go-to box with nothing to show.
        SendMessageA(workspace, WM_KEYDOWN, VK_F4, 0);
        HWND pane = FindWindowExA(HWND(LONG_PTR(frame)), nullptr, "Koravel.Print.PagesPane", nullptr);
        EXPECT_TRUE(IsWindowVisible(pane));
        for (const WPARAM key : {VK_END, VK_DOWN, VK_NEXT, VK_HOME}) SendMessageA(pane, WM_KEYDOWN, key, 0);
        UpdateWindow(pane);
        SendMessageA(workspace, WM_COMMAND, 108, 0);
        HWND box = FindWindowExA(HWND(LONG_PTR(frame)), nullptr, "Koravel.Print.GoToPage", nullptr);
        HWND edit = FindWindowExA(box, nullptr, nullptr, nullptr);
        SetWindowTextA(edit, "1");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(IsWindow(box)) << "no page 1 to go to: the box stays";
        SendMessageA(HWND(LONG_PTR(frame)), WM_CLOSE, 0, 0);
        WriteProfileStringA("Koravel.Print", "PrintPagesPane_Shown", nullptr);
    }
    CoUninitialize();
}

}  // namespace
