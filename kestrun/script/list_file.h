// The paste list and URL list files: plain text in the system's ANSI code
// page (or UTF-8 with a byte-order mark), one entry per line. A line ends at
// CR LF or at a lone CR; a lone LF stays part of the entry. Each line is
// trimmed of leading and trailing spaces, and lines that are then empty are
// skipped. Entries may hold commas: a paste entry is pasted whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/codec.h"

namespace kestrun {

// The entries of a list file's text, in file order.
std::vector<std::string> ParseListText(std::string_view utf8);
// A list file of a million lines takes seconds to decode; it is read in
// slices of about this many bytes, each cut after a line end.
inline constexpr size_t kListSliceBytes = 1 << 20;

// The same, from the file's bytes: decoded and parsed a slice at a time, with
// afterSlice (when set) called after each slice so that the window can
// answer its messages. The entries are the same whatever the slice size.
std::vector<std::string> ReadListFile(const text::AnsiCodec& codec, std::string_view bytes,
                                      const std::function<void()>& afterSlice = {},
                                      size_t sliceBytes = kListSliceBytes);

}  // namespace kestrun
