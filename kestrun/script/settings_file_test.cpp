#include "kestrun/script/settings_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrun {
namespace {

using K = SettingKey;

class SettingsFileTest : public testing::Test {
protected:
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
};

TEST_F(SettingsFileTest, DefaultsAfterAnExportAreSevenGbkLines) {
    SavedSettings settings;
    settings.planFilePath = "C:\\Kestrun\\process\\a.csv";
    settings.startTime = "08:30";
    const std::string expected =
        "\xB7\xBD\xB0\xB8\xCE\xC4\xBC\xFE=C:\\Kestrun\\process\\a.csv\r\n"  // 方案文件=
        "\xB6\xA8\xCA\xB1\xD6\xB4\xD0\xD0=0\r\n"                            // 定时执行=0
        "\xB6\xA8\xCA\xB1\xCA\xB1\xBC\xE4=08:30\r\n"                        // 定时时间=08:30
        "\xD1\xAD\xBB\xB7\xB4\xCE\xCA\xFD=\r\n"                             // 循环次数=
        "\xBD\xE1\xCA\xF8\xB9\xD8\xBB\xFA=0\r\n"                            // 结束关机=0
        "\xCD\xF8\xD6\xB7\xC1\xD0\xB1\xED=\r\n"                             // 网址列表=
        "\xD5\xB3\xCC\xF9\xC1\xD0\xB1\xED=\r\n";                            // 粘贴列表=
    EXPECT_EQ(SettingsFileBytes(*codec_, settings), expected);
}

TEST_F(SettingsFileTest, EveryOptionIsWrittenAsShown) {
    SavedSettings settings{"P", true, "9:05", "5次", true, "U.txt", "粘贴.txt"};
    EXPECT_EQ(BuildSettingsText(settings),
              "方案文件=P\r\n定时执行=1\r\n定时时间=9:05\r\n循环次数=5次\r\n结束关机=1\r\n网址列表=U.txt\r\n"
              "粘贴列表=粘贴.txt\r\n");
}

TEST_F(SettingsFileTest, PathOutsideTheCodePageIsKeptAsUtf8WithMark) {
    SavedSettings settings;
    settings.planFilePath = "C:\\p\\\xF0\x9F\x98\x80.csv";
    const std::string bytes = SettingsFileBytes(*codec_, settings);
    EXPECT_EQ(bytes.substr(0, 3), std::string(text::kUtf8Bom));
    const std::vector<Setting> read = ReadSettingsFile(*codec_, bytes, SettingKeySet::kFull);
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read[0], (Setting{K::kPlanFile, settings.planFilePath}));
}

TEST_F(SettingsFileTest, WrittenFileReadsBackAsTheSameSevenSettings) {
    SavedSettings settings{"C:\\计划\\a.csv", true, "23:59", "12", false, "D:\\u.txt", ""};
    const std::vector<Setting> expected = {
        {K::kPlanFile, "C:\\计划\\a.csv"},
        {K::kScheduled, "1"},
        {K::kStartTime, "23:59"},
        {K::kRounds, "12"},
        {K::kShutdown, "0"},
        {K::kUrlList, "D:\\u.txt"},
        {K::kPasteList, ""},
    };
    EXPECT_EQ(ReadSettingsFile(*codec_, SettingsFileBytes(*codec_, settings), SettingKeySet::kFull), expected);
}

TEST_F(SettingsFileTest, LineRules) {
    const struct {
        const char* name;
        std::string text;
        std::vector<Setting> expected;
    } cases[] = {
        {"plain", "方案文件=C:\\a.csv", {{K::kPlanFile, "C:\\a.csv"}}},
        {"leading and trailing spaces go", "   循环次数=5   ", {{K::kRounds, "5"}}},
        {"spaces inside stay", "循环次数= 5 =", {{K::kRounds, " 5 "}}},
        {"value ends at the second =", "方案文件=C:\\a=b.csv", {{K::kPlanFile, "C:\\a"}}},
        {"empty value", "网址列表=", {{K::kUrlList, ""}}},
        {"no = is ignored", "方案文件C:\\a.csv", {}},
        {"key alone is ignored", "结束关机", {}},
        {"only four characters count", "方案文件路径 = C:\\a.csv", {{K::kPlanFile, " C:\\a.csv"}}},
        {"key must be first", "x方案文件=C:\\a.csv", {}},
        {"short key", "方案=1", {}},
        {"unknown key", "窗口位置=100", {}},
        {"tab is not a space", "\t结束关机=1", {}},
        {"empty lines", "\r\n\r\n", {}},
        {"repeated keys are all kept",
         "循环次数=3\r\n循环次数=0\r\n循环次数=7",
         {{K::kRounds, "3"}, {K::kRounds, "0"}, {K::kRounds, "7"}}},
        {"lone CR ends a line", "定时执行=1\r结束关机=1", {{K::kScheduled, "1"}, {K::kShutdown, "1"}}},
        {"lone LF does not", "定时执行=1\n结束关机=1", {{K::kScheduled, "1\n结束关机"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseSettingsText(c.text, SettingKeySet::kFull), c.expected);
    }
}

TEST_F(SettingsFileTest, CommandLineKnowsNoScheduleKeys) {
    const std::string text =
        "方案文件=a.csv\r\n定时执行=1\r\n定时时间=9:00\r\n循环次数=2\r\n结束关机=1\r\n网址列表=u\r\n粘贴列表=p\r\n";
    const std::vector<Setting> expected = {
        {K::kPlanFile, "a.csv"}, {K::kRounds, "2"}, {K::kShutdown, "1"}, {K::kUrlList, "u"}, {K::kPasteList, "p"},
    };
    EXPECT_EQ(ParseSettingsText(text, SettingKeySet::kCommandLine), expected);
    EXPECT_EQ(ParseSettingsText(text, SettingKeySet::kFull).size(), 7u);
}

TEST_F(SettingsFileTest, KeyWordsAreEightGbkBytes) {
    for (SettingKey key :
         {K::kPlanFile, K::kScheduled, K::kStartTime, K::kRounds, K::kShutdown, K::kUrlList, K::kPasteList}) {
        std::optional<std::string> bytes = codec_->Encode(SettingKeyWord(key));
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->size(), 8u) << SettingKeyWord(key);
    }
}

}  // namespace
}  // namespace kestrun
