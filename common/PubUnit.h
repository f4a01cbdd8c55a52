// Small routines shared across the program.
#pragma once

#include <string>
#include <string_view>
#include <functional>

// The text without leading and trailing characters of code 32 and below.
std::string Trim(std::string_view text);

// The eight middle bytes (4 to 11) of the text's MD5 digest, as 16
// upper-case hexadecimal digits.
std::string MD5Hex16(std::string_view text);

// Finds `open` in `source` and the first `close` after it: `inner` is what
// lies between, `rest` starts at the close tag. An empty `close` takes all
// that follows and leaves `rest` empty. When a tag is missing, `inner` is
// empty and `rest` is left as it was. Views point into `source`, so walking a
// document element by element costs time linear in its length.
void ExtractTagText(std::string_view source, std::string_view open, std::string_view close,
                    std::string_view& inner, std::string_view& rest);

// True when `needle` occurs in `text`, ASCII letters compared without case.
bool ContainsTextNoCase(std::string_view text, std::string_view needle);

// Every "%" followed by two hexadecimal digits becomes the byte they spell;
// a "%" whose two characters are no hexadecimal digits, or spell 0, is
// dropped with them. "+" stays as it is.
std::string PercentDecode(std::string_view text);

// `path`, or name(1).ext, name(2).ext ... : the first that `in_use` says is
// free. The extension is the file name's part from its last dot on.
std::string MakeUniqueFileName(const std::string& path, const std::function<bool(const std::string&)>& in_use);
