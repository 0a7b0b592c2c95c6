#include "tapreel/table/click_table_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_files.h"
#include "tapreel/testing/tapreel_test_support.h"

namespace tapreel {
namespace {

using testing::MakeRow;

// "左键" and "单击" in GBK.
const std::string kGbkLeft = "\xD7\xF3\xBC\xFC";
const std::string kGbkSingle = "\xB5\xA5\xBB\xF7";

class ClickTableFileTest : public ::testing::Test {
protected:
    ClickTableFileTest() : codec_(text::MakeSystemCodec()) { files_.SetProgramFolder(kFolder); }

    static constexpr const char* kFolder = "C:\\Tapreel\\";
    std::string Path() const { return std::string(kFolder) + std::string(kClickTableFileName); }

    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
};

TEST_F(ClickTableFileTest, TwoRowsAreWrittenByteForByteInTheCodePage) {
    std::vector<ClickRow> rows = {
        MakeRow({"1", "100", "200", "左键", "单击", "500", "16777215", "255", "完成"}, true),
        MakeRow({"2", "300", "400", "", "单击", "0", "", "", ""}),
    };
    ASSERT_TRUE(SaveClickTable(files_, *codec_, Path(), rows));

    std::string expected = "1,100,200," + kGbkLeft + "," + kGbkSingle + ",500,16777215,255,\xCD\xEA\xB3\xC9,\r\n" +
                           "2,300,400,," + kGbkSingle + ",0,,,,\r\n" + "\r\n";
    EXPECT_EQ(files_.Content(Path()), expected);
    // The whole file is replaced through a temporary file.
    EXPECT_EQ(files_.Log(), std::vector<std::string>{"WriteFileAtomic " + Path()});
}

TEST_F(ClickTableFileTest, SavedRowsReadBackNumberedWithoutCheckMarks) {
    std::vector<ClickRow> rows = {
        MakeRow({"7", "100", "200", "左键", "单击", "500", "255", "", ""}, true),
        MakeRow({"3", "-5", "40", "右键", "双击", "20", "0", "1", "完成"}, true),
    };
    ASSERT_TRUE(SaveClickTable(files_, *codec_, Path(), rows));

    std::vector<ClickRow> loaded = LoadClickTable(files_, *codec_, Path());
    ASSERT_EQ(loaded.size(), 2u);
    rows[0].columns[0] = "1";
    rows[1].columns[0] = "2";
    rows[0].checked = rows[1].checked = false;
    EXPECT_EQ(loaded, rows);
}

TEST_F(ClickTableFileTest, AnEmptyTableWritesNothingAndKeepsTheOldFile) {
    files_.AddFile(Path(), "1,1,1,,,,,,,\r\n\r\n");
    EXPECT_FALSE(SaveClickTable(files_, *codec_, Path(), {}));
    EXPECT_EQ(files_.Content(Path()), "1,1,1,,,,,,,\r\n\r\n");
    EXPECT_TRUE(files_.Log().empty());

    // Without an old file, none is made.
    files_.DeleteFile(Path());
    files_.ClearLog();
    EXPECT_FALSE(SaveClickTable(files_, *codec_, Path(), {}));
    EXPECT_FALSE(files_.Content(Path()).has_value());
    EXPECT_TRUE(files_.Log().empty());
}

TEST_F(ClickTableFileTest, AFailedWriteLeavesTheOldFileWhole) {
    files_.AddFile(Path(), "old");
    files_.SetDiskFull(true);
    EXPECT_FALSE(SaveClickTable(files_, *codec_, Path(), {MakeRow({"1", "2", "3"})}));
    EXPECT_EQ(files_.Content(Path()), "old");
}

TEST_F(ClickTableFileTest, TextOutsideTheCodePageIsKeptAsUtf8) {
    // An emoji has no GBK form: the file falls back to UTF-8 with a mark
    // rather than losing it, and reads back the same.
    std::vector<ClickRow> rows = {MakeRow({"1", "1", "2", "左键😀", "单击", "", "", "", ""})};
    ASSERT_TRUE(SaveClickTable(files_, *codec_, Path(), rows));
    EXPECT_EQ(files_.Content(Path())->substr(0, 3), std::string(text::kUtf8Bom));
    EXPECT_EQ(LoadClickTable(files_, *codec_, Path()), rows);
}

TEST_F(ClickTableFileTest, AMissingOrUnreadableFileGivesAnEmptyTable) {
    EXPECT_TRUE(LoadClickTable(files_, *codec_, Path()).empty());
    files_.AddFile(Path(), "1,2,3,\r\n");
    files_.FailReadsOf(Path());
    EXPECT_TRUE(LoadClickTable(files_, *codec_, Path()).empty());
}

TEST(ClickTableParse, ReadsEachLineByItsRules) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<ClickRow> rows;
    };
    const std::vector<Case> cases = {
        {"the first field is not used",
         "7,100,200,左键,单击,500,,,,\r\n",
         {MakeRow({"1", "100", "200", "左键", "单击", "500", "", "", ""})}},
        {"blank lines are skipped, rows numbered as read",
         "\r\n   \r\n9,1,2,\r\n\r\n9,3,4,\r\n",
         {MakeRow({"1", "1", "2"}), MakeRow({"2", "3", "4"})}},
        {"fields beyond column 9 are dropped",
         "1,a,b,c,d,e,f,g,h,i,j,\r\n",
         {MakeRow({"1", "a", "b", "c", "d", "e", "f", "g", "h"})}},
        {"a field of spaces leaves its column empty, others keep their spaces",
         "1,  ,  5 ,\r\n",
         {MakeRow({"1", "", "  5 "})}},
        {"a value with a comma splits in two", "1,2,3,a,b,c,\r\n", {MakeRow({"1", "2", "3", "a", "b", "c"})}},
        {"a line without commas still makes a row", "abc\r\n", {MakeRow({"1"})}},
        {"a lone CR ends a line, a final line without ending counts",
         "1,10,\r1,20,",
         {MakeRow({"1", "10"}), MakeRow({"2", "20"})}},
        {"a tab is not a space", "1,\t,\r\n", {MakeRow({"1", "\t"})}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseClickTable(c.text), c.rows);
    }
}

TEST(ClickTableFormat, EveryValueIsFollowedByACommaAndTheFileEndsWithAnEmptyLine) {
    EXPECT_EQ(FormatClickTable({}), "");
    EXPECT_EQ(FormatClickTable({MakeRow({"1", "2"})}), "1,2,,,,,,,,\r\n\r\n");
    // Values are written unchanged, commas included.
    EXPECT_EQ(FormatClickTable({MakeRow({"1", "a,b"})}), "1,a,b,,,,,,,,\r\n\r\n");
}

// Files no program wrote: NUL bytes, bytes that are no GBK character, a line
// of ten megabytes and a hundred thousand lines load row by row.
TEST_F(ClickTableFileTest, ExtremeFilesLoadRowByRow) {
    const std::string nul("\0", 1);
    files_.AddFile(Path(),
                   "1," + nul + ",2," + kGbkLeft + ",\x81\x30\xFF,500\r\n9," + std::string(10 << 20, '7') + ",3\r\n");
    std::vector<ClickRow> rows = LoadClickTable(files_, *codec_, Path());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Column(2), nul);
    EXPECT_EQ(rows[0].Column(4), "左键");
    EXPECT_EQ(rows[0].Column(5).substr(0, 3), "\xEF\xBF\xBD");
    EXPECT_EQ(rows[1].Column(2).size(), size_t(10 << 20));
    EXPECT_EQ(rows[1].Column(3), "3");

    std::string many;
    for (int i = 0; i < 100'000; ++i) many += "1,100,200,\r\n";
    files_.AddFile(Path(), many);
    rows = LoadClickTable(files_, *codec_, Path());
    ASSERT_EQ(rows.size(), 100'000u);
    EXPECT_EQ(rows.back().Column(1), "100000");
    EXPECT_EQ(rows.back().Column(3), "200");
}
}  // namespace
}  // namespace tapreel
