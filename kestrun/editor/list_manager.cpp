#include "kestrun/editor/list_manager.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "common/text/number.h"
#include "common/text/timestamp.h"
#include "kestrun/script/bmp_file.h"
#include "kestrun/script/instruction_line.h"
#include "kestrun/script/list_file.h"
#include "kestrun/script/picture_file.h"
#include "kestrun/script/plan_file.h"

namespace kestrun {

namespace {

constexpr uint32_t kConfirmFlags = platform::mb::kYesNo | platform::mb::kIconInformation;
constexpr uint32_t kWarningFlags = platform::mb::kOk | platform::mb::kIconExclamation;
// The failed bitmap files named in the message; more are summed up.
constexpr size_t kMaxNamedBitmaps = 10;

// Characters that no file name can hold on the target system.
bool HasBadNameCharacter(std::string_view name) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(char(c)) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

void ListManager::CmdListManger(int index) {
    switch (ListCommand(index)) {
        case ListCommand::kMoveUp:
            return MoveUp();
        case ListCommand::kMoveDown:
            return MoveDown();
        case ListCommand::kDelete:
            return Delete();
        case ListCommand::kClear:
            return Clear();
        case ListCommand::kImport:
            return Import();
        case ListCommand::kExport:
            Export();
            return;
    }
}

void ListManager::SelectRow(int row) {
    if (rowClick) {
        rowClick(row);
    } else {
        model_.SetSelection(row);
    }
}

bool ListManager::Confirm(std::string_view prompt) {
    return dialogs_.MessageBox(std::string(prompt), std::string(kTitleNotice), kConfirmFlags) == platform::mb::kIdYes;
}

// --- Moving: texts are exchanged, so a bitmap test line keeps its number ---

void ListManager::MoveUp() {
    const int i = model_.SelectedRow();
    if (i < 0) return;
    if (i > 0) {
        std::string above = model_.Row(i - 1);
        model_.SetRowText(i - 1, model_.Row(i));
        model_.SetRowText(i, std::move(above));
    }
    // On the first row this selects row -1: the selection goes.
    SelectRow(i - 1);
}

void ListManager::MoveDown() {
    const int i = model_.SelectedRow();
    if (i < 0 || i >= model_.RowCount() - 1) return;
    std::string below = model_.Row(i + 1);
    model_.SetRowText(i + 1, model_.Row(i));
    model_.SetRowText(i, std::move(below));
    SelectRow(i + 1);
}

// --- Delete and clear ---

void ListManager::Delete() {
    if (!Confirm(kPromptDeleteLine)) return;
    const int i = model_.SelectedRow();
    if (i < 0 || i >= model_.RowCount()) return;
    const std::string line = model_.Row(i);
    if (IsBitmapTestLine(line)) {
        if (std::optional<int> number = BitmapNumberOfLine(line); number && model_.Bitmaps().count(*number) > 0) {
            model_.EditBitmaps([&](auto& bitmaps) { bitmaps.erase(*number); });
        }
    }
    model_.RemoveRow(i);
    model_.SetSelection(-1);
}

void ListManager::Clear() {
    if (!Confirm(kPromptClearList)) return;
    model_.SetRows({});
    model_.EditBitmaps([](auto& bitmaps) { bitmaps.clear(); });
}

// --- Import and export ---

void ListManager::Import() {
    platform::FileChooserRequest request;
    request.title = kImportTitle;
    request.initialFolder = model_.ProgramFolder() + std::string(kPlanFolder);
    request.filter = kImportFilter;
    std::string path = dialogs_.ChooseFile(request);
    if (!path.empty()) LoadPlanFile(path);
}

std::string ListManager::DefaultPlanName() {
    return std::string(kDefaultPlanPrefix) + text::FileTimeStamp(desktop_.LocalNow());
}

bool ListManager::Export() {
    const std::vector<std::string>& rows = model_.Rows();
    const bool anyBitmapLine =
        std::any_of(rows.begin(), rows.end(), [](const std::string& row) { return IsBitmapTestLine(row); });
    PlanHeader header;
    if (PasteListInUse(rows, model_.PasteEntries().size())) header.pasteListPath = model_.PasteListPath();
    if (UrlListInUse(rows, model_.UrlEntries().size())) header.urlListPath = model_.UrlListPath();
    // The lines are taken before the input box, as the user saw them when
    // pressing the button.
    const std::string planBytes = PlanFileBytes(codec_, rows, header);

    const std::string& folder = model_.ProgramFolder();
    files_.CreateFolder(folder + "process");
    files_.CreateFolder(folder + "screenshot");

    std::string name = dialogs_.InputBox(std::string(kExportPrompt), std::string(kExportTitle), DefaultPlanName());
    // An empty answer (a cancelled box too) still saves, under the default
    // name of this moment.
    if (name.empty()) name = DefaultPlanName();

    const std::string planPath = folder + std::string(kPlanFolder) + name + std::string(kPlanExtension);
    if (!files_.WriteFileAtomic(planPath, planBytes)) {
        // The user must not believe the plan is saved: say so, keep the
        // current plan path, and write no bitmaps, which could otherwise
        // replace the bitmaps of the older plan of that name.
        const std::string_view reason = HasBadNameCharacter(name) ? kReasonBadName : kReasonWriteFailed;
        dialogs_.MessageBox(std::string(kMessagePlanNotSaved) + planPath + "\r\n" + std::string(reason),
                            std::string(kTitleNotice), kWarningFlags);
        return false;
    }

    std::vector<std::string> failedBitmaps;
    if (anyBitmapLine) {
        for (const auto& [number, entry] : model_.Bitmaps()) {
            if (number < 1) continue;
            const std::string bitmapPath =
                folder + std::string(kBitmapSaveFolder) + name + text::IntToText(number) + ".bmp";
            if (!files_.WriteFileAtomic(bitmapPath, EncodeBmp(entry.reference))) failedBitmaps.push_back(bitmapPath);
        }
    }
    model_.SetCurrentPlanPath(planPath);

    if (!failedBitmaps.empty()) {
        std::string message(kMessageBitmapsNotSaved);
        for (size_t i = 0; i < failedBitmaps.size() && i < kMaxNamedBitmaps; ++i) message += "\r\n" + failedBitmaps[i];
        if (failedBitmaps.size() > kMaxNamedBitmaps) {
            message += "\r\n……（共 " + text::IntToText(int64_t(failedBitmaps.size())) + " 个）";
        }
        message += "\r\n" + std::string(kReasonWriteFailed);
        dialogs_.MessageBox(message, std::string(kTitleNotice), kWarningFlags);
    }
    return true;
}

// --- Loading a plan ---

BitmapEntry ListManager::LoadBitmapEntry(const std::string& baseName, int number) {
    BitmapEntry entry;
    const std::string path =
        model_.ProgramFolder() + std::string(kBitmapLoadFolder) + baseName + text::IntToText(number) + ".bmp";
    if (!files_.FileExists(path)) return entry;
    std::optional<std::string> bytes = files_.ReadFile(path);
    if (!bytes) return entry;
    // A file that is not a bitmap this reader takes leaves the image blank,
    // as a missing file does, and the rest of the plan still loads.
    if (std::optional<platform::Image> picture = DecodeBmp(*bytes)) {
        PlaceAtTopLeft(*picture, entry.reference);
        entry.hasReference = true;
    }
    return entry;
}

// Bitmap numbering on load. Each bitmap test line keeps its text, and the
// bitmap test looks up the entry by the number written in the line, so each
// entry is loaded from the file of its own number: the line that reads n then
// sees the image that entry n held when the plan was saved, whatever the
// order of the lines, gaps left by deleted lines, or edits.
//
// First every line that carries a number from 1 to 32767 not claimed by an
// earlier line gets the entry of that number. Then each remaining bitmap test
// line (a number already claimed, 0, negative, too large or no number at all)
// gets a new entry numbered highest in use + 1, loaded from that number's
// file, so the table keeps one entry per bitmap test line. Doing the claimed
// numbers first means such a fallback entry never takes a number that a later
// line of the plan carries. The line's test still reads the number written in
// it: a repeated number shares the first line's image, as it did before the
// plan was saved. When the highest number in use is already 32767 no fallback
// entry is made: the line still loads, and its test finds no bitmap and jumps.
void ListManager::LoadPlanFile(const std::string& path) {
    if (path.empty() || !files_.FileExists(path)) return;
    // The file is read before anything is removed, so a plan that cannot be
    // read leaves the list as it was.
    std::optional<std::string> bytes = files_.ReadFile(path);
    if (!bytes) return;
    const std::vector<PlanItem> items = ReadPlanFile(codec_, *bytes);
    const std::string baseName = PlanBaseName(path);

    std::vector<std::string> rows;
    std::vector<std::optional<int>> bitmapNumbers;  // one per bitmap test line, in file order
    for (const PlanItem& item : items) {
        switch (item.kind) {
            case PlanItem::Kind::kPasteListFile:
                if (!item.text.empty() && files_.FileExists(item.text)) LoadPasteListFile(item.text);
                break;
            case PlanItem::Kind::kUrlListFile:
                if (!item.text.empty() && files_.FileExists(item.text)) LoadUrlListFile(item.text);
                break;
            case PlanItem::Kind::kInstruction:
                if (IsBitmapTestLine(item.text)) bitmapNumbers.push_back(BitmapNumberOfLine(item.text));
                rows.push_back(item.text);
                break;
        }
    }

    std::map<int, BitmapEntry> table;
    size_t fallbackCount = 0;
    for (const std::optional<int>& number : bitmapNumbers) {
        if (number && table.count(*number) == 0) {
            table.emplace(*number, LoadBitmapEntry(baseName, *number));
        } else {
            ++fallbackCount;
        }
    }
    for (size_t i = 0; i < fallbackCount; ++i) {
        const int highest = table.empty() ? 0 : table.rbegin()->first;
        if (highest >= kHighestBitmapNumber) break;
        table.emplace(highest + 1, LoadBitmapEntry(baseName, highest + 1));
    }

    model_.SetRows(std::move(rows));  // also leaves no row selected
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps = std::move(table); });
}

// --- List files ---

std::optional<std::vector<std::string>> ListManager::ReadEntries(const std::string& path) {
    std::optional<std::string> bytes = files_.ReadFile(path);
    if (!bytes) return std::nullopt;
    return ReadListFile(codec_, *bytes, [this] { desktop_.PumpMessages(); });
}

void ListManager::LoadUrlListFile(const std::string& path) {
    // A file that cannot be read is not loaded: the entries stay.
    std::optional<std::vector<std::string>> entries = ReadEntries(path);
    if (!entries) return;
    if (entries->empty()) {
        model_.SetUrlList({}, model_.CmbUrlText());
        return;
    }
    model_.SetUrlList(std::move(*entries), std::string(script::kListWord));
    model_.SetUrlListPath(path);
}

void ListManager::LoadPasteListFile(const std::string& path) {
    std::optional<std::vector<std::string>> entries = ReadEntries(path);
    if (!entries) return;
    if (entries->empty()) {
        model_.SetPasteList({}, model_.CmbPasteText());
        return;
    }
    model_.SetPasteList(std::move(*entries), std::string(script::kListWord));
    model_.SetPasteListPath(path);
}

}  // namespace kestrun
