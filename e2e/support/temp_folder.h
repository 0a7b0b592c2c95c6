// A fresh, empty folder under the temporary folder, removed with everything
// in it when the object goes.
#pragma once

#include <string>

namespace e2e {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, ending in "\"; empty when it could not be made.
    const std::wstring& Path() const { return path_; }
    // Path() + name, as UTF-8 for the platform interfaces.
    std::string Utf8(const std::wstring& name = L"") const;

private:
    std::wstring path_;
};

// Removes a folder and everything in it; true when it is gone.
bool RemoveFolderTree(const std::wstring& folder);

// Writes a whole file (bytes as they are); true on success.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
// The whole content of a file, or the empty text when it cannot be read. The
// file may be open for writing by another program.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace e2e
