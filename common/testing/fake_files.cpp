#include "common/testing/fake_files.h"

#include "common/text/utf8.h"

namespace fake {

namespace {

// "/" becomes "\", runs of "\" become one (a leading "\\" of a network path
// stays), and trailing separators go.
std::string Normalise(const std::string& path) {
    // Most paths are already in that form; they are copied whole, which keeps
    // the thousands of lookups of a fuzzed plan cheap.
    const bool normal = path.find('/') == std::string::npos && path.find("\\\\", 1) == std::string::npos &&
                        (path.size() <= 1 || path.back() != '\\');
    if (normal) return path;
    std::string result;
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i] == '/' ? '\\' : path[i];
        if (c == '\\' && !result.empty() && result.back() == '\\' && result.size() > 1) continue;
        result.push_back(c);
    }
    while (result.size() > 1 && result.back() == '\\') result.pop_back();
    return result;
}

std::string Key(const std::string& path) { return text::AsciiLower(Normalise(path)); }

// The folder part of a normalised path, "" when it has none.
std::string FolderOf(const std::string& normalised) {
    size_t slash = normalised.rfind('\\');
    return slash == std::string::npos ? std::string() : normalised.substr(0, slash);
}

std::string NameOf(const std::string& normalised) {
    size_t slash = normalised.rfind('\\');
    return slash == std::string::npos ? normalised : normalised.substr(slash + 1);
}

bool IsDriveRoot(const std::string& key) { return key.size() == 2 && key[1] == ':' && key[0] >= 'a' && key[0] <= 'z'; }

std::u32string CodePoints(const std::string& s) {
    std::u32string result;
    for (size_t i = 0, len = 0; i < s.size(); i += len) result.push_back(text::DecodeAt(s, i, len));
    return result;
}

// Wildcard match of a whole name: "*" any run, "?" one character. Both
// texts are already in lower case. Backtracks only to the last "*", so the
// time stays proportional to the product of the lengths at worst.
bool WildcardMatch(const std::u32string& name, const std::u32string& pattern) {
    size_t n = 0, p = 0;
    size_t starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace

FakeFileSystem::FakeFileSystem() { SetProgramFolder(kDefaultProgramFolder); }

// --- Lookups ---

const FakeFileSystem::Entry* FakeFileSystem::FindEntry(const std::string& path) const {
    auto found = entries_.find(Key(path));
    return found == entries_.end() ? nullptr : &found->second;
}

FakeFileSystem::Entry* FakeFileSystem::FindEntry(const std::string& path) {
    auto found = entries_.find(Key(path));
    return found == entries_.end() ? nullptr : &found->second;
}

const FakeFileSystem::Entry* FakeFileSystem::FindFile(const std::string& path) const {
    const Entry* entry = FindEntry(path);
    return entry && !entry->isFolder ? entry : nullptr;
}

bool FakeFileSystem::FolderExists(const std::string& path) const {
    std::string key = Key(path);
    if (IsDriveRoot(key)) return true;
    const Entry* entry = FindEntry(path);
    return entry && entry->isFolder;
}

bool FakeFileSystem::ParentExists(const std::string& path) const {
    std::string folder = FolderOf(Normalise(path));
    // A bare name lies in the current folder, which exists.
    return folder.empty() || FolderExists(folder);
}

bool FakeFileSystem::Writable(const std::string& path) const { return !diskFull_ && failWrites_.count(Key(path)) == 0; }

bool FakeFileSystem::Logged(const std::string& line, bool result) {
    log_.push_back(result ? line : line + " (failed)");
    return result;
}

// --- platform::FileSystem ---

bool FakeFileSystem::FileExists(const std::string& path) {
    const Entry* file = FindFile(path);
    return file && !file->flags.hidden && !file->flags.system;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
    const Entry* file = FindFile(path);
    if (!file || failReads_.count(Key(path))) return std::nullopt;
    return file->bytes;
}

bool FakeFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    std::string line = "WriteFileAtomic " + path;
    const Entry* old = FindEntry(path);
    bool ok = Writable(path) && ParentExists(path) && !(old && (old->isFolder || old->flags.readOnly));
    if (!ok) return Logged(line, false);
    // The renamed temporary file replaces the old one, attributes and all.
    entries_[Key(path)] = Entry{old ? old->path : Normalise(path), false, bytes, {}};
    return Logged(line, true);
}

bool FakeFileSystem::AppendFile(const std::string& path, const std::string& bytes) {
    std::string line = "AppendFile " + path;
    Entry* old = FindEntry(path);
    bool ok = Writable(path) && ParentExists(path) && !(old && (old->isFolder || old->flags.readOnly));
    if (!ok) return Logged(line, false);
    Entry& file = old ? *old : entries_[Key(path)];
    if (!old) file = Entry{Normalise(path), false, "", {}};
    file.bytes += bytes;
    if (auto kept = keptTails_.find(Key(path)); kept != keptTails_.end() && file.bytes.size() >= 2 * kept->second) {
        file.bytes.erase(0, file.bytes.size() - kept->second);
    }
    return Logged(line, true);
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
    std::string line = "CreateFolder " + path;
    std::string key = Key(path);
    bool ok = Writable(path) && !key.empty() && !IsDriveRoot(key) && !FindEntry(path) && ParentExists(path);
    if (!ok) return Logged(line, false);
    entries_[key] = Entry{Normalise(path), true, "", {}};
    return Logged(line, true);
}

std::vector<std::string> FakeFileSystem::FindFiles(const std::string& pattern) {
    std::string normalised = Normalise(pattern);
    std::string folder = FolderOf(normalised);
    std::string namePattern = text::AsciiLower(NameOf(normalised));
    if (namePattern.empty()) return {};
    if (namePattern == "*.*") namePattern = "*";
    std::u32string wanted = CodePoints(namePattern);
    std::string folderKey = text::AsciiLower(folder);

    std::vector<std::string> found;
    for (const auto& [key, entry] : entries_) {
        if (entry.isFolder || entry.flags.hidden || entry.flags.system) continue;
        if (FolderOf(key) != folderKey) continue;
        if (!WildcardMatch(CodePoints(NameOf(key)), wanted)) continue;
        std::string name = NameOf(entry.path);
        found.push_back(folder.empty() ? name : folder + "\\" + name);
    }
    return found;
}

bool FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
    std::string line = "CopyFile " + from + " -> " + to;
    const Entry* source = FindFile(from);
    const Entry* target = FindEntry(to);
    bool ok = source && failReads_.count(Key(from)) == 0 && Writable(to) && ParentExists(to) &&
              !(target && (target->isFolder || target->flags.readOnly)) && Key(from) != Key(to);
    if (!ok) return Logged(line, false);
    Entry copy = *source;
    copy.path = target ? target->path : Normalise(to);
    entries_[Key(to)] = std::move(copy);
    return Logged(line, true);
}

bool FakeFileSystem::MoveFile(const std::string& from, const std::string& to) {
    std::string line = "MoveFile " + from + " -> " + to;
    const Entry* source = FindFile(from);
    bool ok = source && Writable(from) && Writable(to) && !FindEntry(to) && ParentExists(to);
    if (!ok) return Logged(line, false);
    Entry moved = *source;
    moved.path = Normalise(to);
    entries_.erase(Key(from));
    entries_[Key(to)] = std::move(moved);
    return Logged(line, true);
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    std::string line = "DeleteFile " + path;
    const Entry* file = FindFile(path);
    bool ok = file && !file->flags.readOnly && Writable(path);
    if (!ok) return Logged(line, false);
    entries_.erase(Key(path));
    return Logged(line, true);
}

// --- For tests ---

void FakeFileSystem::SetProgramFolder(const std::string& folder) {
    programFolder_ = folder;
    if (programFolder_.empty() || programFolder_.back() != '\\') programFolder_ += '\\';
    MakeFolders(programFolder_);
}

void FakeFileSystem::MakeFolders(const std::string& path) {
    std::string normalised = Normalise(path);
    std::string key = text::AsciiLower(normalised);
    if (normalised.empty() || IsDriveRoot(key) || FolderExists(normalised)) return;
    std::string parent = FolderOf(normalised);
    if (!parent.empty()) MakeFolders(parent);
    entries_[key] = Entry{normalised, true, "", {}};
}

void FakeFileSystem::AddFolder(const std::string& path, FileFlags flags) {
    MakeFolders(path);
    if (Entry* entry = FindEntry(path)) entry->flags = flags;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& bytes, FileFlags flags) {
    std::string folder = FolderOf(Normalise(path));
    if (!folder.empty()) MakeFolders(folder);
    entries_[Key(path)] = Entry{Normalise(path), false, bytes, flags};
}

bool FakeFileSystem::SetFlags(const std::string& path, FileFlags flags) {
    Entry* entry = FindEntry(path);
    if (!entry) return false;
    entry->flags = flags;
    return true;
}

std::optional<std::string> FakeFileSystem::Content(const std::string& path) const {
    const Entry* file = FindFile(path);
    if (!file) return std::nullopt;
    return file->bytes;
}

std::vector<std::string> FakeFileSystem::AllFiles() const {
    std::vector<std::string> files;
    for (const auto& [key, entry] : entries_) {
        if (!entry.isFolder) files.push_back(entry.path);
    }
    return files;
}

void FakeFileSystem::KeepTailOf(const std::string& path, size_t maxBytes) { keptTails_[Key(path)] = maxBytes; }

void FakeFileSystem::FailWritesTo(const std::string& path) { failWrites_.insert(Key(path)); }

void FakeFileSystem::FailReadsOf(const std::string& path) { failReads_.insert(Key(path)); }

}  // namespace fake
