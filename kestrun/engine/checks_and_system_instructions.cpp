// The three tests (colour, bitmap, clipboard) and the three system
// instructions (file operation, window operation, screenshot).
#include <cmath>
#include <optional>

#include "common/text/number.h"
#include "common/text/timestamp.h"
#include "common/text/utf8.h"
#include "kestrun/actions/capture.h"
#include "kestrun/actions/jpeg.h"
#include "kestrun/actions/window_ops.h"
#include "kestrun/engine/interpreter.h"

namespace kestrun {

void Interpreter::ColourTest(const script::InstructionLine& line) {
    const platform::Point point = ScreenPoint(line, 1, 2);
    int32_t jump = Whole32(line, 4);
    std::string expected = line.Field(3);
    int32_t found = desktop_.GetPixel(point.x, point.y);
    ShowColours(found, expected);
    std::optional<double> expectedValue = text::StrictNumber(expected);

    // A colour that is no number as a whole counts as a match.
    if (!expectedValue || *expectedValue == double(found)) return Advance();
    Jump(jump);
}

void Interpreter::ShowColours(int32_t found, const std::string& expected) {
    model_.SetLabelColor(0, {text::IntToText(found), found});
    std::optional<double> expectedValue = text::StrictNumber(expected);
    std::optional<int32_t> expectedColour = expectedValue ? text::ToInt32(*expectedValue) : std::nullopt;
    ColourLabel expectedLabel{expected, model_.LabelColor(1).backColour};
    if (expectedColour) expectedLabel.backColour = *expectedColour;
    model_.SetLabelColor(1, expectedLabel);
}

void Interpreter::BitmapTest(const script::InstructionLine& line) {
    int32_t n = Whole32(line, 1), jump = Whole32(line, 4);
    const platform::Point point = ScreenPoint(line, 2, 3);
    if (model_.Bitmaps().count(n) > 0) {
        model_.EditBitmaps([&](auto& bitmaps) { CopyBlockToLive(desktop_, point.x, point.y, bitmaps.at(n)); });
    }
    if (same_pic(model_.Bitmaps(), n, random_)) return Advance();
    Jump(jump);
}

void Interpreter::ClipboardTest(const script::InstructionLine& line) {
    std::optional<std::string> clipboard = desktop_.GetClipboardText();
    if (!clipboard || clipboard->empty()) return;  // wait here until some text is copied
    // Without any argument there is nothing to compare: any text advances.
    if (line.ArgumentText().empty() || *clipboard == line.Field(1)) return Advance();
    if (line.FieldCount() < 2) return;
    double target = double(model_.InstructionPointer()) - text::LeadingNumber(line.Field(2));
    if (auto pointer = text::ToInt32(target)) JumpTo(*pointer);
}

void Interpreter::FileOperation(const script::InstructionLine& line) {
    std::string operation = line.Field(1), source = line.Field(2), target = line.Field(3);
    if (script::IsFileOperationWord(operation) && !source.empty()) {
        std::vector<std::string> matches = files_.FindFiles(source);
        // A copy and a rename take one file: a pattern fails for them.
        bool pattern = text::Contains(source, "*") || text::Contains(source, "?");
        if (!matches.empty()) {
            if (operation == script::kFileCopy && !pattern) files_.CopyFile(source, target);
            if (operation == script::kFileMove && !pattern) files_.MoveFile(source, target);
            if (operation == script::kFileDelete) {
                for (const std::string& match : matches) files_.DeleteFile(match);
            }
        }
    }
    Advance();
}

void Interpreter::WindowOperation(const script::InstructionLine& line) {
    kestrun::WindowOperation(desktop_, line.Field(2), line.Field(1),
                             [this](std::string_view entry) { log_.WriteLog(entry, false); });
    Advance();
}

void Interpreter::Screenshot(const script::InstructionLine& line) {
    std::string area = line.Field(1);
    int32_t quality = Whole32(line, 2);
    if (quality < 0 || quality > 100) quality = 80;

    std::optional<platform::Image> image;
    std::string name;
    if (area == script::kShotScreen) {
        image = CaptureScreen(desktop_);
        name = "screenshot\\屏幕截图";
    } else if (area == script::kShotWindow) {
        image = CaptureActiveWindow(desktop_);
        name = "screenshot\\窗口截图";
    } else {
        const platform::Point corner = ScreenPoint(line, 3, 4);
        image = CaptureRegion(desktop_, corner.x, corner.y, Length(line, 5), Length(line, 6));
        name = "screenshot\\区域截图";
    }
    // A shot that cannot be taken (an empty region) is skipped.
    if (image) {
        std::string path = model_.ProgramFolder() + name + text::FileTimeStamp(desktop_.LocalNow()) + ".jpg";
        try {
            SaveJpeg(*image, path, quality, files_);
        } catch (const JpegSaveError&) {
            // The saver reports its own failure; the run goes on.
        }
    }
    Advance();
}

}  // namespace kestrun
