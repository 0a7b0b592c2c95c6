// Kestrun's name, version and makers, as the title bar and the about box show them.
#pragma once

#include <string_view>

namespace kestrun {

inline constexpr std::string_view kProductName = "Kestrun";
inline constexpr int kMajorVersion = 2;
// The about box shows the minor version with two digits: V2.50.
inline constexpr int kMinorVersion = 50;
inline constexpr std::string_view kMakerName = "凯斯特工作室";
inline constexpr std::string_view kAuthorName = "林枫";
inline constexpr std::string_view kAuthorEmail = "linfeng@kestrun.cn";
inline constexpr std::string_view kHomePage = "kestrun.cn";
inline constexpr std::string_view kTelephone = "0571-8888 6600";
inline constexpr std::string_view kPostalAddress = "浙江省杭州市西湖区文三路 100 号";
// The product name, " V2.5 by ", then the maker's and the author's names.
inline constexpr std::string_view kWindowTitle = "Kestrun V2.5 by 凯斯特工作室 林枫";

}  // namespace kestrun
