// writer.exe PATH: saves two different contents to PATH by turns, for ever,
// through the programs' own atomic save. The interrupted-save test kills it
// at random moments and checks that PATH always holds one content whole.
#include <windows.h>

#include <string>

#include "common/win32/files_win32.h"
#include "common/win32/wide.h"
#include "e2e/writer/contents.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::string path = win32::Narrow(argv[1]);
    win32::Win32FileSystem files;
    for (unsigned i = 0;; ++i) files.WriteFileAtomic(path, e2e::SavedContent(i % 2));
}
