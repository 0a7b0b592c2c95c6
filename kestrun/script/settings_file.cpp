#include "kestrun/script/settings_file.h"

#include <array>
#include <optional>

#include "common/text/lines.h"
#include "common/text/utf8.h"

namespace kestrun {

namespace {

// Which readers know a key word.
enum class KnownIn { kBoth, kFullOnly, kCommandLineOnly };

struct KeyWord {
    SettingKey key;
    std::string_view word;
    KnownIn knownIn;
};

constexpr std::array<KeyWord, 8> kKeyWords = {{
    {SettingKey::kPlanFile, "方案文件", KnownIn::kBoth},
    {SettingKey::kScheduled, "定时执行", KnownIn::kFullOnly},
    {SettingKey::kStartTime, "定时时间", KnownIn::kFullOnly},
    {SettingKey::kRounds, "循环次数", KnownIn::kBoth},
    {SettingKey::kShutdown, "结束关机", KnownIn::kBoth},
    {SettingKey::kUrlList, "网址列表", KnownIn::kBoth},
    {SettingKey::kPasteList, "粘贴列表", KnownIn::kBoth},
    {SettingKey::kExitWhenDone, "结束退出", KnownIn::kCommandLineOnly},
}};

std::optional<SettingKey> KeyOf(std::string_view firstFour, SettingKeySet keySet) {
    const KnownIn excluded = keySet == SettingKeySet::kCommandLine ? KnownIn::kFullOnly : KnownIn::kCommandLineOnly;
    for (const KeyWord& entry : kKeyWords) {
        if (entry.word != firstFour) continue;
        if (entry.knownIn == excluded) return std::nullopt;
        return entry.key;
    }
    return std::nullopt;
}

}  // namespace

std::string_view SettingKeyWord(SettingKey key) {
    for (const KeyWord& entry : kKeyWords) {
        if (entry.key == key) return entry.word;
    }
    return {};
}

std::vector<Setting> ParseSettingsText(std::string_view utf8, SettingKeySet keySet) {
    std::vector<Setting> settings;
    for (const std::string& rawLine : text::SplitLines(utf8)) {
        std::string line = text::Trim(rawLine);
        size_t firstEquals = line.find('=');
        if (firstEquals == std::string::npos) continue;
        std::optional<SettingKey> key = KeyOf(text::Left(line, 4), keySet);
        if (!key) continue;
        // The value ends at a second "=", so a value can never hold one.
        size_t secondEquals = line.find('=', firstEquals + 1);
        size_t valueEnd = secondEquals == std::string::npos ? line.size() : secondEquals;
        settings.push_back({*key, line.substr(firstEquals + 1, valueEnd - firstEquals - 1)});
    }
    return settings;
}

std::vector<Setting> ReadSettingsFile(const text::AnsiCodec& codec, std::string_view bytes, SettingKeySet keySet) {
    return ParseSettingsText(text::DecodeFileText(codec, bytes), keySet);
}

std::string BuildSettingsText(const SavedSettings& settings) {
    auto line = [](SettingKey key, std::string_view value) {
        return std::string(SettingKeyWord(key)) + "=" + std::string(value);
    };
    return text::JoinLines({
        line(SettingKey::kPlanFile, settings.planFilePath),
        line(SettingKey::kScheduled, settings.scheduled ? "1" : "0"),
        line(SettingKey::kStartTime, settings.startTime),
        line(SettingKey::kRounds, settings.rounds),
        line(SettingKey::kShutdown, settings.shutdown ? "1" : "0"),
        line(SettingKey::kUrlList, settings.urlListPath),
        line(SettingKey::kPasteList, settings.pasteListPath),
    });
}

std::string SettingsFileBytes(const text::AnsiCodec& codec, const SavedSettings& settings) {
    return text::EncodeFileText(codec, BuildSettingsText(settings));
}

}  // namespace kestrun
