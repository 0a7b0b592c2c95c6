// Rules of Windows file names that the file system's implementations follow:
// the names that stand for devices rather than files, and the names of the
// temporary files of an atomic save.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Whether a path names a device rather than a file: a reserved name (CON,
// PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, CONIN$, CONOUT$) in any case, in
// any folder, with or without an extension ("con.ini", "NUL.txt") or
// trailing blanks, or a path of the device namespace ("\\.\NUL") that names
// no drive.
bool IsDeviceName(std::string_view path);

// The temporary file that an atomic save of target by the process
// processId writes before renaming it over target: "target.~ID.tmp".
std::string TemporaryPathFor(std::string_view target, uint32_t processId);

// When name (a file name without its folder) is exactly the temporary file
// name that some process's save of the file targetName would write, that
// process's id; otherwise nothing. Letters compare without regard to ASCII
// case, as Windows compares names.
std::optional<uint32_t> TemporaryFileOwner(std::string_view targetName, std::string_view name);

}  // namespace platform
