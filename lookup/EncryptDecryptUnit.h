// The envelope that seals everything exchanged with the lookup service:
// AES in CBC mode with zero padding, as Base64 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text extended with zero bytes to the next multiple of n; unchanged when
// its length already is a positive multiple; n zero bytes when it is empty.
std::string ZeroPad(std::string_view text, std::size_t n);

// Base64 text of the encrypted, zero-padded plain text. The key size follows
// the key text's length: up to 16 bytes AES-128, up to 24 AES-192, else AES-256.
std::string EncryptText(std::string_view plain, std::string_view keytext, std::string_view ivtext);

// The decrypted bytes, zero padding included.
std::string DecryptText(std::string_view base64, std::string_view keytext, std::string_view ivtext);

std::string Base64Encode(std::string_view bytes);
// Groups of four characters; a trailing incomplete group is ignored. A group
// whose third character is "=" yields one byte, one whose fourth only is "="
// two, any other three. Blanks and line breaks are skipped; other characters
// outside the alphabet count as zero.
std::string Base64Decode(std::string_view text);
