// Tapreel's name, version and maker, as the title bar shows them.
#pragma once

#include <string_view>

namespace tapreel {

inline constexpr std::string_view kProductName = "Tapreel";
// The product name, the version, the maker's name and shop address.
inline constexpr std::string_view kWindowTitle = "Tapreel V2.0 凯斯特工作室 店铺: kestrun.cn/shop";

}  // namespace tapreel
