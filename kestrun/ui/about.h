// The about box, shown by a click on the frame of the composer.
#pragma once

#include <string>
#include <string_view>

namespace kestrun {

inline constexpr std::string_view kAboutTitle = " 关于...";

// The product name and version (minor version with at least two digits),
// an empty line, the rights notice, then the author's name, e-mail address,
// home page, telephone number and postal address; lines joined by CR LF.
std::string AboutText(int year);

}  // namespace kestrun
