#include "kestrun/editor/drop_files.h"

#include <gtest/gtest.h>

#include <deque>

#include "common/testing/fake_files.h"
#include "kestrun/script/bmp_file.h"

namespace kestrun {
namespace {

class DropFilesTest : public ::testing::Test {
protected:
    DropFilesTest() : codec_(text::MakeSystemCodec()) { files_.CreateFolder("C:\\in"); }
    void Write(const std::string& path, const std::string& bytes) { ASSERT_TRUE(files_.WriteFileAtomic(path, bytes)); }

    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
    MainModel model_;
};

TEST_F(DropFilesTest, PasteBoxTakesTrimmedLinesAndTheListWord) {
    Write("C:\\in\\a.txt", "  a  \r\n\r\nb\r\n");
    DropOnPasteBox(model_, files_, *codec_, {"C:\\in\\a.txt"});
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"a", "b"}));
    EXPECT_EQ(model_.CmbPasteText(), "列表");
    EXPECT_EQ(model_.PasteListPath(), "C:\\in\\a.txt");
}

TEST_F(DropFilesTest, EmptyFileClearsTheBoxAndIsStillRemembered) {
    model_.SetPasteList({"old"}, "列表");
    Write("C:\\in\\empty.txt", "");
    DropOnPasteBox(model_, files_, *codec_, {"C:\\in\\empty.txt"});
    EXPECT_TRUE(model_.PasteEntries().empty());
    EXPECT_EQ(model_.CmbPasteText(), "");
    EXPECT_EQ(model_.PasteListPath(), "C:\\in\\empty.txt");
}

TEST_F(DropFilesTest, SeveralFilesTheLastWins) {
    Write("C:\\in\\1.txt", "one\r\n");
    Write("C:\\in\\2.txt", "\xB6\xFE\r\n");  // "二" in GBK
    DropOnPasteBox(model_, files_, *codec_, {"C:\\in\\1.txt", "C:\\in\\2.txt"});
    EXPECT_EQ(model_.PasteEntries(), (std::deque<std::string>{"二"}));
    EXPECT_EQ(model_.PasteListPath(), "C:\\in\\2.txt");
}

TEST_F(DropFilesTest, PictureBoxTakesPicturesAndKeepsItsPictureForOtherFiles) {
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[1] = BitmapEntry{}; });
    Write("C:\\in\\red.bmp", EncodeBmp(platform::Image(10, 10, 0x0000FF)));
    Write("C:\\in\\note.txt", "not a picture");
    DropOnPictureBox(model_, files_, 1, {"C:\\in\\red.bmp"});
    EXPECT_EQ(model_.Bitmaps().at(1).reference.At(0, 0), 0x0000FF);
    EXPECT_EQ(model_.Bitmaps().at(1).reference.At(20, 20), 0xFFFFFF) << "placed at the top-left of the 40 x 40 box";
    EXPECT_EQ(model_.Bitmaps().at(1).reference.width, 40);
    EXPECT_TRUE(model_.Bitmaps().at(1).hasReference);
    DropOnPictureBox(model_, files_, 1, {"C:\\in\\note.txt"});
    EXPECT_EQ(model_.Bitmaps().at(1).reference.At(0, 0), 0x0000FF);
    DropOnPictureBox(model_, files_, 0, {"C:\\in\\red.bmp"});
    EXPECT_EQ(model_.CaptureBox().At(9, 9), 0x0000FF);
}

}  // namespace
}  // namespace kestrun
