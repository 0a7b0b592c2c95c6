#include "kestrun/ui/startup.h"

#include <optional>

#include "common/text/number.h"

namespace kestrun {

namespace {

bool IsExistingFile(platform::FileSystem& files, const std::string& path) {
    return !path.empty() && files.FileExists(path);
}

// Reads a settings file and applies it; a file that cannot be read applies
// nothing, and start-up goes on without a message.
void RestoreFrom(const std::string& path, SettingKeySet keySet, MainModel& model, platform::FileSystem& files,
                 ListManager& lists, const text::AnsiCodec& codec) {
    std::optional<std::string> bytes = files.ReadFile(path);
    if (!bytes) return;
    ApplySettings(ReadSettingsFile(codec, *bytes, keySet), model, files, lists);
}

}  // namespace

std::string WithTrailingBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

void ApplySettings(const std::vector<Setting>& settings, MainModel& model, platform::FileSystem& files,
                   ListManager& lists) {
    for (const Setting& setting : settings) {
        const std::string& value = setting.value;
        switch (setting.key) {
            case SettingKey::kPlanFile:
                if (IsExistingFile(files, value)) lists.LoadPlanFile(value);
                break;
            case SettingKey::kScheduled:
                if (value == "1") model.SetChkDingshi(true);
                break;
            case SettingKey::kStartTime:
                // The time's form is checked only when the scheduled start uses it.
                if (!value.empty()) model.SetTxtStartime(value);
                break;
            case SettingKey::kRounds:
                if (text::LeadingNumber(value) > 0) model.SetTxtRound(value);
                break;
            case SettingKey::kShutdown:
                if (value == "1") model.SetChkShut(true);
                break;
            case SettingKey::kUrlList:
                if (!IsExistingFile(files, value)) break;
                model.SetUrlListPath(value);
                lists.LoadUrlListFile(value);
                break;
            case SettingKey::kPasteList:
                if (!IsExistingFile(files, value)) break;
                model.SetPasteListPath(value);
                lists.LoadPasteListFile(value);
                break;
            case SettingKey::kExitWhenDone:
                if (value == "1") model.SetExitWhenRunStops(true);
                break;
        }
    }
}

void StartUp(const std::string& argument, MainModel& model, RunLog& log, platform::FileSystem& files,
             ListManager& lists, const text::AnsiCodec& codec, const std::function<void()>& startRun) {
    model.SetProgramFolder(WithTrailingBackslash(files.ProgramFolder()));
    log.SetPath(model.ProgramFolder() + std::string(kRunLogFileName));
    log.SetEnabled(true);
    model.SetCycleCounter(0);

    // Either folder may exist already; a failure is of no concern here.
    files.CreateFolder(model.ProgramFolder() + "process");
    files.CreateFolder(model.ProgramFolder() + "screenshot");

    if (!argument.empty()) {
        // The whole argument, unchanged, names the settings file; without it
        // nothing is restored and no run starts.
        if (!files.FileExists(argument)) return;
        RestoreFrom(argument, SettingKeySet::kCommandLine, model, files, lists, codec);
        if (startRun) startRun();
        return;
    }

    const std::string savedPath = model.ProgramFolder() + std::string(kSettingsFileName);
    if (!files.FileExists(savedPath)) return;
    RestoreFrom(savedPath, SettingKeySet::kFull, model, files, lists, codec);
}

bool CloseDown(const MainModel& model, platform::FileSystem& files, const text::AnsiCodec& codec) {
    // Without an export in this run there is nothing new to remember, and
    // the file keeps what it last held.
    if (model.CurrentPlanPath().empty()) return false;
    SavedSettings settings;
    settings.planFilePath = model.CurrentPlanPath();
    settings.scheduled = model.ChkDingshi();
    settings.startTime = model.TxtStartime();
    settings.rounds = model.TxtRound();
    settings.shutdown = model.ChkShut();
    settings.urlListPath = model.UrlListPath();
    settings.pasteListPath = model.PasteListPath();
    return files.WriteFileAtomic(model.ProgramFolder() + std::string(kSettingsFileName),
                                 SettingsFileBytes(codec, settings));
}

}  // namespace kestrun
