// Both programs start from a fresh program folder, show their main window
// under its exact title, and end cleanly when the window is closed.
#include <gtest/gtest.h>

#include <string>

#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "kestrun/ui/product.h"
#include "tapreel/model/product.h"

namespace {

struct ProductCase {
    const wchar_t* exeName;
    std::string_view title;
};

// Names the case in test output by its exe.
void PrintTo(const ProductCase& product, std::ostream* out) { *out << win32::Narrow(product.exeName); }

class AppStartTest : public testing::TestWithParam<ProductCase> {};

TEST_P(AppStartTest, ShowsItsTitledWindowAndClosesCleanly) {
    const ProductCase& product = GetParam();
    std::unique_ptr<e2e::Program> program = e2e::Program::Start(product.exeName);
    ASSERT_TRUE(program) << "the program did not start";

    // WaitForWindow compares the title exactly, so a title that differs in
    // one character (or only in case) is not found.
    std::wstring title = win32::Wide(product.title);
    HWND window = program->WaitForWindow(title);
    ASSERT_NE(window, nullptr) << "no visible window titled exactly " << product.title;
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(win32::Narrow(e2e::WindowTitle(window)), product.title);

    std::optional<DWORD> exitCode = program->Close(window, 3000);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end within 3 s of WM_CLOSE";
    EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Products, AppStartTest,
                         testing::Values(ProductCase{L"kestrun.exe", kestrun::kWindowTitle},
                                         ProductCase{L"tapreel.exe", tapreel::kWindowTitle}),
                         [](const testing::TestParamInfo<ProductCase>& info) {
                             std::string exe = win32::Narrow(info.param.exeName);
                             return exe.substr(0, exe.find('.'));
                         });

}  // namespace
