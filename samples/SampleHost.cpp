// Sample host: what an application does with the control, end to end. It
// creates the registered Print control by ProgID, hands it a native page
// provider that lays out a small multi-page report (text, lines, a table),
// decorates the pages ("Page <%page%> of <%count%>", a document caption, extra
// captions), exports every page as an EMF file with CopyTo and prints the
// document on the default printer with DoPrint False.
//   SampleHost.exe [output folder]     (default: .\out)
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <cstdio>
#include <string>
#include <vector>
#include "Tavrin_h.h"

namespace {

constexpr wchar_t kDocumentName[] = L"Tavrin sample report";

std::string Narrow(const wchar_t* s, int n = -1) {
    if (!s) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, s, n, nullptr, 0, nullptr, nullptr);
    std::string r(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, n, r.data(), size, nullptr, nullptr);
    if (n < 0 && !r.empty()) r.pop_back();  // the terminator
    return r;
}

// A BSTR for the length of one call.
class Text {
public:
    explicit Text(const wchar_t* s) : s_(SysAllocString(s)) {}
    ~Text() { SysFreeString(s_); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    operator BSTR() const { return s_; }

private:
    BSTR s_;
};

VARIANT Long(long v) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT String(const wchar_t* s) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_BSTR;
    r.bstrVal = SysAllocString(s);
    return r;
}

// The report: 40 rows of sales figures, 18 rows to a page, under a heading on each page.
struct Row {
    int number;
    const char* region;
    long units;
    double amount;
};

std::vector<Row> MakeRows() {
    static const char* regions[] = {"North", "South", "East", "West", "Central"};
    std::vector<Row> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(Row{i + 1, regions[i % 5], 100 + (i * 37) % 400, 1250.0 + (i * 713) % 9000 / 3.0});
    return rows;
}

class ReportProvider : public IPrintExt {
public:
    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintExt)) *out = static_cast<IPrintExt*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }  // lives on the host's stack

    // IPrintExt
    STDMETHODIMP PageCount(VARIANT, long* count) override {
        if (!count) return E_POINTER;
        *count = static_cast<long>((rows_.size() + kRowsPerPage - 1) / kRowsPerPage);
        return S_OK;
    }
    STDMETHODIMP DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) override {
        HDC dc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc));
        // The page's unit is the screen pixel, and screens differ (96 per inch at 100%, 144 at
        // 150%): the layout is in points, turned into the page's units by its own scale. That
        // scale is PixelsPerInch, or the client area's width over Width (inches) where a page
        // object lacks it. The client area starts at the clip box's top left.
        RECT client;
        GetClipBox(dc, &client);
        long index = 0, perInch = 0;
        double width = 0;
        IPage* info = nullptr;
        if (page && SUCCEEDED(page->QueryInterface(IID_IPage, reinterpret_cast<void**>(&info)))) {
            info->get_Index(&index);
            info->get_Width(&width);
            if (FAILED(info->get_PixelsPerInch(&perInch))) perInch = 0;
            info->Release();
        }
        const double scale = (perInch > 0 ? perInch : width > 0 ? (client.right - client.left) / width : 96.0) / 72.0;
        auto pt = [scale](double points) { return static_cast<int>(points * scale + 0.5); };
        const int left = client.left, top = client.top, right = client.right;

        HFONT heading = CreateFontA(-pt(16.5), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        HFONT body = CreateFontA(-pt(9.75), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ oldFont = SelectObject(dc, heading);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 96));
        const std::string title = index == 0 ? "Sales by region" : "Sales by region (continued)";
        TextOutA(dc, left, top, title.c_str(), static_cast<int>(title.size()));

        HPEN rule = CreatePen(PS_SOLID, pt(1.5), RGB(0, 0, 96));
        HGDIOBJ oldPen = SelectObject(dc, rule);
        MoveToEx(dc, left, top + pt(24), nullptr);
        LineTo(dc, right, top + pt(24));

        // The table: a header row on a grey band, then the rows with grid lines.
        SelectObject(dc, body);
        SetTextColor(dc, RGB(0, 0, 0));
        const int columns[] = {left, left + pt(45), left + pt(165), left + pt(270), right};
        const char* headers[] = {"No.", "Region", "Units", "Amount"};
        const int rowHeight = pt(18), padX = pt(4.5), padY = pt(3.75);
        int y = top + pt(36);
        RECT band{left, y, right, y + rowHeight};
        HBRUSH grey = CreateSolidBrush(RGB(220, 220, 230));
        FillRect(dc, &band, grey);
        for (int c = 0; c < 4; ++c) TextOutA(dc, columns[c] + padX, y + padY, headers[c], lstrlenA(headers[c]));
        HPEN grid = CreatePen(PS_SOLID, pt(0.75), RGB(128, 128, 128));
        SelectObject(dc, grid);
        const size_t first = static_cast<size_t>(index) * kRowsPerPage;
        for (size_t r = first; r < rows_.size() && r < first + kRowsPerPage; ++r) {
            y += rowHeight;
            char cells[4][32];
            wsprintfA(cells[0], "%d", rows_[r].number);
            wsprintfA(cells[1], "%s", rows_[r].region);
            wsprintfA(cells[2], "%ld", rows_[r].units);
            std::snprintf(cells[3], sizeof cells[3], "%.2f", rows_[r].amount);
            for (int c = 0; c < 4; ++c) TextOutA(dc, columns[c] + padX, y + padY, cells[c], lstrlenA(cells[c]));
            MoveToEx(dc, left, y, nullptr);
            LineTo(dc, right, y);
        }
        y += rowHeight;
        MoveToEx(dc, left, y, nullptr);
        LineTo(dc, right, y);
        for (int x : columns) {
            MoveToEx(dc, x, top + pt(36), nullptr);
            LineTo(dc, x, y);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldFont);
        DeleteObject(grid);
        DeleteObject(grey);
        DeleteObject(rule);
        DeleteObject(body);
        DeleteObject(heading);
        return S_OK;
    }

private:
    static constexpr size_t kRowsPerPage = 18;
    std::vector<Row> rows_ = MakeRows();
    ULONG refs_ = 1;
};

// Lets the preview's windows paint while the host waits.
void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// Saves what the screen shows of a window as a PNG through GDI+'s flat interface.
bool SaveWindowPng(HWND window, const wchar_t* file) {
    using Startup = int(WINAPI*)(ULONG_PTR*, const void*, void*);
    using FromHbitmap = int(WINAPI*)(HBITMAP, HPALETTE, void**);
    using Save = int(WINAPI*)(void*, const wchar_t*, const CLSID*, const void*);
    using Dispose = int(WINAPI*)(void*);
    using Shutdown = void(WINAPI*)(ULONG_PTR);
    HMODULE gdiplus = LoadLibraryA("gdiplus.dll");
    if (!gdiplus) return false;
    auto proc = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(gdiplus, name)); };
    auto startup = reinterpret_cast<Startup>(proc("GdiplusStartup"));
    auto fromHbitmap = reinterpret_cast<FromHbitmap>(proc("GdipCreateBitmapFromHBITMAP"));
    auto save = reinterpret_cast<Save>(proc("GdipSaveImageToFile"));
    auto dispose = reinterpret_cast<Dispose>(proc("GdipDisposeImage"));
    auto shutdown = reinterpret_cast<Shutdown>(proc("GdiplusShutdown"));
    bool saved = false;
    struct { UINT32 version = 1; void* callback = nullptr; BOOL noThread = FALSE, noCodecs = FALSE; } input;
    ULONG_PTR token = 0;
    if (startup && fromHbitmap && save && dispose && shutdown && startup(&token, &input, nullptr) == 0) {
        RECT r;
        GetWindowRect(window, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        SelectObject(memory, old);
        const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
        void* image = nullptr;
        if (fromHbitmap(bitmap, nullptr, &image) == 0) {
            saved = save(image, file, &png, nullptr) == 0;
            dispose(image);
        }
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        shutdown(token);
    }
    FreeLibrary(gdiplus);
    return saved;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    return GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr) ? full : path;
}

int Run(ITavrin* print, const std::string& folder) {
    ReportProvider report;
    print->put_PrintExt(&report);
    print->put_Caption(Text(kDocumentName));
    print->put_PageNumberFormat(Text(L"Page <%page%> of <%count%>"));
    // Extra captions in the header's corners and the footer's left; "<img>1</img>" is the
    // first icon of the control's image list (the toolbar's zoom icon until the host replaces it).
    auto extra = [&](const wchar_t* key, const wchar_t* text, long position, long alignment) {
        VARIANT k = String(key), t = String(text), p = Long(position), a = Long(alignment);
        print->ExtraCaption(k, t, p, a);
        VariantClear(&k);
        VariantClear(&t);
    };
    extra(L"1-left", L"<b>Koravel</b> <img>1</img> sales", kvHeader, kvLeft);
    extra(L"2-right", L"<fgcolor=800000><i>confidential</i></fgcolor>", kvHeader, kvRight);
    extra(L"3-footer", L"Printed by the Tavrin sample host", kvFooter, kvLeft);
    print->put_PageFrameStyle(kvPageFrameSolid);

    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string pattern = folder + "\\page%i.emf";
    BSTR path = SysAllocStringLen(nullptr, static_cast<UINT>(pattern.size()));
    MultiByteToWideChar(CP_ACP, 0, pattern.c_str(), static_cast<int>(pattern.size()), path,
                        static_cast<int>(pattern.size()));
    long written = 0;
    HRESULT hr = print->CopyTo(path, &written);
    SysFreeString(path);
    long pages = 0;
    print->get_PagesCount(&pages);
    std::printf("Recorded %ld pages\n", pages);
    if (FAILED(hr)) {
        std::printf("CopyTo failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return 1;
    }
    std::printf("Exported %ld EMF files:\n", written);
    for (long i = 1; i <= pages; ++i) std::printf("  %s\\page%ld.emf\n", FullPath(folder).c_str(), i);

    // The preview, as a user would see it, photographed next to the EMF files.
    hr = print->Preview();
    long frame = 0;
    print->get_hWnd(&frame);
    if (FAILED(hr) || !frame) {
        std::printf("Preview failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return 1;
    }
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(frame));
    Pump(500);
    const std::string png = FullPath(folder) + "\\preview.png";
    std::wstring wide(png.begin(), png.end());
    if (SaveWindowPng(window, wide.c_str()))
        std::printf("Preview screenshot: %s\n", png.c_str());
    else
        std::printf("Could not save a screenshot of the preview\n");
    SendMessageW(window, WM_CLOSE, 0, 0);

    char printer[256] = "";
    DWORD size = sizeof printer;
    GetDefaultPrinterA(printer, &size);
    VARIANT showUI;
    VariantInit(&showUI);
    showUI.vt = VT_BOOL;
    showUI.boolVal = VARIANT_FALSE;
    hr = print->DoPrint(showUI);
    if (FAILED(hr)) {
        std::printf("DoPrint failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return 1;
    }
    std::printf("Printed \"%s\" (%ld pages) on the default printer \"%s\"\n", Narrow(kDocumentName).c_str(), pages,
                printer);
    print->put_PrintExt(nullptr);
    return written == pages && pages > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (FAILED(CoInitialize(nullptr))) return 2;
    const std::string folder = argc > 1 ? Narrow(argv[1]) : std::string(".\\out");
    int rc = 0;
    {
        CLSID clsid;
        ITavrin* print = nullptr;
        HRESULT hr = CLSIDFromProgID(L"Koravel.Print", &clsid);
        if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITavrin,
                                                 reinterpret_cast<void**>(&print));
        if (FAILED(hr)) {
            std::printf("Koravel.Print is not available (0x%08lX): register Tavrin.DLL first\n",
                        static_cast<unsigned long>(hr));
            rc = 1;
        } else {
            BSTR version = nullptr;
            print->get_Version(&version);
            std::printf("Tavrin %s\n", Narrow(version).c_str());
            SysFreeString(version);
            rc = Run(print, folder);
            print->Release();
        }
    }
    CoUninitialize();
    return rc;
}
