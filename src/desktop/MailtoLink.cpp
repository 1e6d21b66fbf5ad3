#include "desktop/MailtoLink.h"

namespace tilvaro::desktop {

namespace {

bool StaysAsItIs(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("-._~!$'()*+,;:@").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string MailtoLink(std::string_view address, std::string_view subjectUtf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string link = "mailto:";
  link.append(address);
  link.append("?subject=");
  for (const char ch : subjectUtf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (StaysAsItIs(c)) {
      link.push_back(ch);
    } else {
      link.push_back('%');
      link.push_back(kHex[c >> 4]);
      link.push_back(kHex[c & 0x0F]);
    }
  }
  return link;
}

}  // namespace tilvaro::desktop
