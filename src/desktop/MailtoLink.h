#pragma once
// A "mailto:" link for a new message with a subject.

#include <string>
#include <string_view>

namespace tilvaro::desktop {

// "mailto:" + address + "?subject=" + the subject with every byte percent-encoded that may not
// stand as it is in a header value of a mailto link (a blank becomes %20, a UTF-8 umlaut two
// escapes); letters, digits and - . _ ~ ! $ ' ( ) * + , ; : @ stay. The address goes as it is.
std::string MailtoLink(std::string_view address, std::string_view subjectUtf8);

}  // namespace tilvaro::desktop
