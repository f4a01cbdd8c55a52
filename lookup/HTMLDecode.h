#pragma once

#include <string>
#include <string_view>

// Decodes the character references of a reply, once, up to its first zero
// byte: &amp; &lt; &gt; &quot; and &#N; (the byte N, low 8 bits). Any other
// "&" raises EConvertError "Invalid HTML encoded character (&x) at position P".
std::string HTMLDecode(std::string_view text);
