// Any bytes as a received seal: Base64 decoding and decryption must never
// crash; and any bytes as plain text must come back from seal and open.
#include <cstddef>
#include <cstdint>
#include <string>

#include "EncryptDecryptUnit.h"
#include "PubUnit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string key = MD5Hex16("gravomel");
    static const std::string iv = MD5Hex16("qaltumbrenx");
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string decoded = Base64Decode(input);
    const std::string opened = DecryptText(input, key, iv);
    if (opened.size() != decoded.size()) __builtin_trap();

    const std::string sealed = EncryptText(input, key, iv);
    if (sealed.size() % 4 != 0 || Base64Decode(sealed).size() % 16 != 0) __builtin_trap();
    if (DecryptText(sealed, key, iv) != ZeroPad(input, 16)) __builtin_trap();
    if (Base64Decode(Base64Encode(input)) != input) __builtin_trap();
    return 0;
}
