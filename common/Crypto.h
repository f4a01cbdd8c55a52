// The platform's raw cryptographic primitives: AES on single 16-byte blocks
// and the MD5 digest. Modes, padding and text forms are our own code on top.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

class TBlockCipher {
public:
    virtual ~TBlockCipher() = default;
    virtual void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) = 0;
    virtual void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) = 0;
};

// AES with a key of 16, 24 or 32 bytes; the key schedule is wiped when the
// cipher is destroyed. Null if the platform refuses the key.
std::unique_ptr<TBlockCipher> CreateAesCipher(const std::uint8_t* key, std::size_t key_bytes);

std::array<std::uint8_t, 16> Md5Digest(std::string_view data);
