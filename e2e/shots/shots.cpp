// Takes the pictures of the user's guide: starts the real kestrun.exe and
// tapreel.exe in program folders prepared by scripts/screenshots.sh, opens
// what the guide shows (the main window, the list's context menu and its
// submenu, Tapreel with a few rows) and saves each as a PNG file.
//
//   shots.exe <Kestrun program folder> <Tapreel program folder> <out folder>
//
// The folders end in "\". The main window's picture carries numbered marks
// on the regions the guide explains; exits 1 when a picture is missing.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/wide.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/menus.h"
#include "e2e/support/mouse.h"
#include "e2e/support/program.h"
#include "e2e/support/wait.h"
#include "kestrun/ui/frm_main_layout.h"
#include "tapreel/model/product.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

namespace id = kestrun::id;

RECT Union(RECT a, const RECT& b) {
    UnionRect(&a, &a, &b);
    return a;
}

// A copy of a block of the screen, held as a top-down 32-bit DIB.
class ScreenBlock {
public:
    explicit ScreenBlock(RECT rect) : rect_(rect) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width(), -Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, Width(), Height(), screen, rect.left, rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        bits_ = static_cast<unsigned char*>(bits);
    }
    ~ScreenBlock() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    ScreenBlock(const ScreenBlock&) = delete;
    ScreenBlock& operator=(const ScreenBlock&) = delete;

    int Width() const { return rect_.right - rect_.left; }
    int Height() const { return rect_.bottom - rect_.top; }

    // A numbered red disc centred on a screen point, for the labelled picture.
    void Mark(POINT screenPoint, int number) {
        const int x = screenPoint.x - rect_.left, y = screenPoint.y - rect_.top, r = 10;
        HBRUSH red = CreateSolidBrush(RGB(220, 30, 30));
        HGDIOBJ oldBrush = SelectObject(dc_, red);
        HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(WHITE_PEN));
        Ellipse(dc_, x - r, y - r, x + r, y + r);
        SelectObject(dc_, oldPen);
        SelectObject(dc_, oldBrush);
        DeleteObject(red);
        HFONT font = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        HGDIOBJ oldFont = SelectObject(dc_, font);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(255, 255, 255));
        RECT box{x - r, y - r, x + r, y + r};
        std::wstring text = std::to_wstring(number);
        DrawTextW(dc_, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc_, oldFont);
        DeleteObject(font);
    }

    bool SavePng(const std::wstring& path) const {
        GdiFlush();
        std::vector<unsigned char> rgb(static_cast<size_t>(Width()) * Height() * 3);
        for (size_t i = 0; i < rgb.size() / 3; ++i) {
            rgb[i * 3] = bits_[i * 4 + 2];
            rgb[i * 3 + 1] = bits_[i * 4 + 1];
            rgb[i * 3 + 2] = bits_[i * 4];
        }
        int size = 0;
        unsigned char* png = stbi_write_png_to_mem(rgb.data(), Width() * 3, Width(), Height(), 3, &size);
        if (!png) return false;
        std::string bytes(reinterpret_cast<char*>(png), static_cast<size_t>(size));
        STBIW_FREE(png);
        return e2e::WriteWholeFile(path, bytes);
    }

private:
    RECT rect_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    unsigned char* bits_ = nullptr;
};

RECT WindowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

bool Save(RECT rect, const std::wstring& path) {
    Sleep(400);  // the last repaint lands
    bool saved = ScreenBlock(rect).SavePng(path);
    std::printf("%s %ls\n", saved ? "saved" : "NOT SAVED", path.c_str());
    return saved;
}

// The main window with marks: 1 the composer, 2 the record button, 3 the
// list buttons, 4 the instruction list, 5 the bitmap display, 6 the colour
// display, 7 the run options, 8 the start button.
bool SaveMainWindow(const e2e::KestrunApp& app, const std::wstring& path) {
    const int marked[] = {id::kFrame1, id::kCmdrecord, id::kCmdListManger, id::kList1,
                          id::kFrame2, id::kFrame3,    id::kChkDingshi,    id::kCmdGoto};
    Sleep(400);
    ScreenBlock block(WindowRect(app.Window()));
    int number = 1;
    for (int control : marked) {
        RECT rect = WindowRect(app.Control(control));
        // The top-right corner covers the least of a caption.
        block.Mark({rect.right - 11, rect.top + 11}, number++);
    }
    bool saved = block.SavePng(path);
    std::printf("%s %ls\n", saved ? "saved" : "NOT SAVED", path.c_str());
    return saved;
}

// Opens List1's context menu (and with submenu its "新增更多(&N)" submenu)
// and saves the window with the menus; closes them again.
bool SaveMenus(const e2e::KestrunApp& app, bool submenu, const std::wstring& path) {
    const POINT list = e2e::CentreOf(app.Control(id::kList1));
    const size_t wanted = submenu ? 2 : 1;
    bool saved = false;
    for (int attempt = 0; attempt < 3 && !saved; ++attempt) {
        e2e::ClickAt({list.x - 120, list.y - 200}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        if (!e2e::WaitUntil([&] { return e2e::OpenMenus(app.ProcessId()).size() == 1; })) continue;
        if (submenu) e2e::TapKey('N');
        if (e2e::WaitUntil([&] { return e2e::OpenMenus(app.ProcessId()).size() == wanted; }, 1500)) {
            RECT rect = WindowRect(app.Window());
            for (const RECT& menu : e2e::OpenMenus(app.ProcessId())) rect = Union(rect, menu);
            saved = Save(rect, path);
        }
        for (int escape = 0; escape < 4 && !e2e::OpenMenus(app.ProcessId()).empty(); ++escape) {
            e2e::TapKey(VK_ESCAPE);
            e2e::WaitUntil([&] { return e2e::OpenMenus(app.ProcessId()).empty(); }, 300);
        }
    }
    return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::printf("usage: shots.exe <Kestrun folder\\> <Tapreel folder\\> <out folder\\>\n");
        return 2;
    }
    const std::wstring kestrunFolder = argv[1], tapreelFolder = argv[2], out = argv[3];
    bool all = true;

    if (auto app = e2e::KestrunApp::StartIn(kestrunFolder)) {
        app->MoveTo(0, 0);
        SetForegroundWindow(app->Window());
        all &= SaveMainWindow(*app, out + L"kestrun-main.png");
        all &= SaveMenus(*app, false, out + L"kestrun-menu.png");
        all &= SaveMenus(*app, true, out + L"kestrun-submenu.png");
        app->Process().Close(app->Window());
    } else {
        std::printf("Kestrun did not start\n");
        all = false;
    }

    if (auto tapreel = e2e::Program::StartIn(tapreelFolder, L"tapreel.exe")) {
        HWND window = tapreel->WaitForWindow(win32::Wide(tapreel::kWindowTitle));
        if (window) {
            SetWindowPos(window, nullptr, 0, 0, 700, 220, SWP_NOZORDER);
            SetForegroundWindow(window);
            all &= Save(WindowRect(window), out + L"tapreel-main.png");
            tapreel->Close(window);
        } else {
            std::printf("Tapreel did not show its window\n");
            all = false;
        }
    } else {
        all = false;
    }
    return all ? 0 : 1;
}
