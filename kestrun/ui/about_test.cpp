#include "kestrun/ui/about.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

TEST(AboutTest, NameVersionWithTwoMinorDigitsThenRightsAndAuthor) {
    std::string text = AboutText(2026);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Kestrun V2.50");
    EXPECT_EQ(text.substr(text.find("\r\n"), 4), "\r\n\r\n") << "an empty line after the version";
    EXPECT_NE(text.find("\r\n版权所有 (C) 2026 "), std::string::npos);
    int lines = 1;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 8) << "version, empty, rights, then five lines about the author";
    EXPECT_EQ(kAboutTitle, " 关于...");
}

}  // namespace
}  // namespace kestrun
