// The saved settings file lastplan.ini, and the settings file that may be
// named on the command line, which has the same form.
//
// Plain text in the system's ANSI code page (UTF-8 with a byte-order mark when
// a path holds a character the code page cannot), no sections, no comments.
// The program writes exactly seven lines, each ended by CR LF:
//   方案文件=<current plan file path>
//   定时执行=0 or 1
//   定时时间=<start time as typed>
//   循环次数=<cycle count as typed, may be empty>
//   结束关机=0 or 1
//   网址列表=<URL list file path, may be empty>
//   粘贴列表=<paste list file path, may be empty>
//
// A reader trims each line of spaces; the key is the line's first four
// characters, compared exactly, whatever stands between them and the "=";
// the value is the text between the first and the second "="; a line without
// "=" is ignored. A command-line settings file knows no "定时执行" and no
// "定时时间"; only it knows "结束退出" (close the program when its run stops),
// which the program never writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/text/codec.h"

namespace kestrun {

inline constexpr std::string_view kSettingsFileName = "lastplan.ini";

enum class SettingKey { kPlanFile, kScheduled, kStartTime, kRounds, kShutdown, kUrlList, kPasteList, kExitWhenDone };

// The key word of a key as it stands in the file ("方案文件" ...).
std::string_view SettingKeyWord(SettingKey key);

// Which key words a reader recognises.
enum class SettingKeySet { kFull, kCommandLine };

// One recognised line: its key and its value, not yet checked.
struct Setting {
    SettingKey key = SettingKey::kPlanFile;
    std::string value;
    bool operator==(const Setting&) const = default;
};

// The settings of a text, in file order; a key that occurs again is listed
// again, so applying the list in order applies it each time.
std::vector<Setting> ParseSettingsText(std::string_view utf8, SettingKeySet keySet);
// The same, from the file's bytes.
std::vector<Setting> ReadSettingsFile(const text::AnsiCodec& codec, std::string_view bytes, SettingKeySet keySet);

// What close-down keeps.
struct SavedSettings {
    std::string planFilePath;
    bool scheduled = false;
    std::string startTime;
    std::string rounds;
    bool shutdown = false;
    std::string urlListPath;
    std::string pasteListPath;
};

// The seven lines, CR LF each.
std::string BuildSettingsText(const SavedSettings& settings);
std::string SettingsFileBytes(const text::AnsiCodec& codec, const SavedSettings& settings);

}  // namespace kestrun
