#include "kestrun/ui/about.h"

#include <cstdio>

#include "kestrun/ui/product.h"

namespace kestrun {

std::string AboutText(int year) {
    char version[32];
    std::snprintf(version, sizeof version, " V%d.%02d", kMajorVersion, kMinorVersion);
    std::string text(kProductName);
    text += version;
    text += "\r\n\r\n版权所有 (C) " + std::to_string(year) + " " + std::string(kMakerName);
    text += "\r\n作者：" + std::string(kAuthorName);
    text += "\r\n电子邮件：" + std::string(kAuthorEmail);
    text += "\r\n主页：" + std::string(kHomePage);
    text += "\r\n电话：" + std::string(kTelephone);
    text += "\r\n地址：" + std::string(kPostalAddress);
    return text;
}

}  // namespace kestrun
