// The look of the real Kestrun window: every control of the main window lies
// inside the client area, no two overlap unless one is a frame holding the
// other, no caption is cut off by its control, and a screenshot of the
// window is saved beside the test program (kestrun_window.bmp) for people
// to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/wide.h"
#include "e2e/support/dialog_driver.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/target_window.h"
#include "e2e/support/temp_folder.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

struct Child {
    HWND window;
    int id;
    std::wstring className;
    DWORD style;
    RECT rect;  // in the main window's client area
    std::string text;

    std::string Name() const { return win32::Narrow(className) + " " + std::to_string(id) + " \"" + text + "\""; }
    bool Is(const wchar_t* name) const { return _wcsicmp(className.c_str(), name) == 0; }
    bool IsGroupBox() const { return Is(L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX; }
};

std::vector<Child> DirectChildren(HWND window) {
    std::vector<Child> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Child c{child, GetDlgCtrlID(child), {}, DWORD(GetWindowLongW(child, GWL_STYLE)), {}, e2e::WindowText(child)};
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        c.className = className;
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&c.rect), 2);
        children.push_back(c);
    }
    return children;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A caption as it is drawn: "&" marks the access key and is not shown.
std::wstring Shown(const std::string& caption) {
    std::wstring text = win32::Wide(caption);
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// Measures texts in the window's font: the system's message font at 9
// points, made here again, since a font handle is no use in another process.
class TextMeasure {
public:
    explicit TextMeasure(int dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, font_);
    }
    ~TextMeasure() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(font_);
    }
    SIZE Of(const std::wstring& text) const {
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size);
        if (text.empty()) {
            TEXTMETRICW metrics;
            GetTextMetricsW(dc_, &metrics);
            size.cy = metrics.tmHeight;
        }
        return size;
    }

    // The height from the top of the text's cell to below its lowest drawn
    // pixel: what a control placed under the caption must not cover.
    int InkHeight(const std::wstring& text) const {
        const SIZE size = Of(text);
        if (size.cx <= 0 || size.cy <= 0) return 0;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!section) return size.cy;
        HGDIOBJ old = SelectObject(dc_, section);
        RECT all{0, 0, size.cx, size.cy};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        TextOutW(dc_, 0, 0, text.c_str(), int(text.size()));
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        int ink = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
                if ((pixels[size_t(y) * size_t(size.cx) + size_t(x)] & 0xFFFFFF) != 0xFFFFFF) ink = y + 1;
            }
        }
        SelectObject(dc_, old);
        DeleteObject(section);
        return ink;
    }

private:
    HFONT font_;
    HDC dc_;
    HGDIOBJ old_;
};

// The room a control leaves for its caption beside its borders, glyphs and
// margins; a caption wider or taller than that is cut off.
SIZE CaptionRoom(const Child& c) {
    RECT client;
    GetClientRect(c.window, &client);
    const int width = c.rect.right - c.rect.left;
    const int height = c.rect.bottom - c.rect.top;
    if (c.Is(L"Button")) {
        switch (c.style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                return {width - 2 * 8, height};
            case BS_AUTOCHECKBOX:
            case BS_CHECKBOX:
                return {width - GetSystemMetrics(SM_CXMENUCHECK) - 4, height};
            default:
                return {width - 2 * 3, height - 2 * 2};  // pushbuttons: the edges
        }
    }
    if (c.Is(L"Edit")) return {client.right - 2, client.bottom};
    if (c.Is(L"ComboBox")) return {width - GetSystemMetrics(SM_CXVSCROLL) - 6, height - 4};
    return {width, height};  // labels
}

bool SaveScreenshot(const RECT& rect, const std::wstring& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as bitmap files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t imageBytes = stride * size_t(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = DWORD(file.bfOffBits + imageBytes);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    bytes.append(static_cast<const char*>(bits), imageBytes);
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return e2e::WriteWholeFile(path, bytes);
}

TEST(KestrunEditorLayoutE2e, ControlsLieInsideTheWindowWithoutOverlapAndCaptionsFit) {
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(40, 20);
    // A few lines and a bitmap test, so the list and Frame2 have something
    // to show.
    app->Press(id::kCmdOrder + 2);
    app->Press(id::kCmdOrder + 8);
    app->Press(id::kCmdOrder + 0);
    HWND jump = app->WaitForDialog(L"提示");
    ASSERT_NE(jump, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(jump, "1"));
    ASSERT_TRUE(app->WaitForRows({"鼠标点击=100,100,左键单击", "等待时间=5000", "比较位图=1,100,100,1"}));

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    RECT client;
    GetClientRect(app->Window(), &client);
    EXPECT_EQ(client.right, MulDiv(8310, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(11745, dpi, 1440));

    const std::vector<Child> children = DirectChildren(app->Window());
    // Every control of the layout is there, with the two thumbnails of bitmap 1.
    std::vector<int> expectedIds = {id::kFrame1,      id::kFrame2,      id::kFrame3,     id::kList1,    id::kCmdrecord,
                                    id::kChkDingshi,  id::kTxtStartime, id::kLabelRound, id::kTxtRound, id::kChkShut,
                                    id::kCmdGoto,     id::kTxtColor,    id::kCmbMouse,   id::kCmbPaste, id::kTxtKeyName,
                                    id::kTxtFilename, id::kCmbUrl,      id::kTxtTime,    id::kLabKey,   id::kPicture1,
                                    id::kPicture2};
    auto addArray = [&](int base, int count) {
        for (int i = 0; i < count; ++i) expectedIds.push_back(base + i);
    };
    addArray(id::kCmdListManger, 6);
    addArray(id::kLabelColor, 2);
    addArray(id::kCmdOrder, 9);
    addArray(id::kCmdGetXY, 8);
    addArray(id::kTxtScreenX, 6);
    addArray(id::kTxtScreenY, 6);
    addArray(id::kLabel2, 6);
    EXPECT_EQ(children.size(), expectedIds.size() + 2);
    for (int expected : expectedIds) {
        EXPECT_TRUE(std::any_of(children.begin(), children.end(), [&](const Child& c) { return c.id == expected; }))
            << "no control " << expected;
    }
    const TextMeasure measure(dpi);
    for (const Child& c : children) {
        SCOPED_TRACE(c.Name());
        EXPECT_TRUE(IsWindowVisible(c.window));
        EXPECT_TRUE(Contains(client, c.rect)) << "outside the client area";

        if (c.IsGroupBox()) {
            // Whatever a frame holds leaves its caption's letters uncovered.
            const int ink = measure.InkHeight(Shown(c.text));
            EXPECT_GT(ink, measure.Of(Shown(c.text)).cy / 2) << "the caption's letters were not found";
            const int captionBottom = c.rect.top + ink;
            for (const Child& inner : children) {
                if (&inner != &c && Contains(c.rect, inner.rect)) {
                    EXPECT_GE(inner.rect.top, captionBottom) << inner.Name() << " covers the frame's caption";
                }
            }
        }
        for (const Child& other : children) {
            if (&other <= &c || !Overlap(c.rect, other.rect)) continue;
            const bool framed = (c.IsGroupBox() && Contains(c.rect, other.rect)) ||
                                (other.IsGroupBox() && Contains(other.rect, c.rect));
            EXPECT_TRUE(framed) << "overlaps " << other.Name();
        }

        if (c.Is(L"ListBox") || c.text.empty()) continue;
        const SIZE text = measure.Of(Shown(c.text));
        const SIZE room = CaptionRoom(c);
        EXPECT_LE(text.cx, room.cx) << "caption cut off at the side";
        EXPECT_LE(text.cy, room.cy) << "caption cut off at the top or bottom";
    }

    // The screenshot, taken with the window in front of everything.
    ASSERT_TRUE(e2e::BringToFront(app->Window(), [&] { return SetForegroundWindow(app->Window()) != 0; }));
    RedrawWindow(app->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);  // the window repaints in its own process
    RECT outer;
    GetWindowRect(app->Window(), &outer);
    EXPECT_TRUE(SaveScreenshot(outer, e2e::BinFolder() + L"kestrun_window.bmp"));

    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
}

}  // namespace
