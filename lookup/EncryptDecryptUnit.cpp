#include "EncryptDecryptUnit.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "Crypto.h"

namespace {

using Block = std::array<std::uint8_t, 16>;

// Holds the padded key and the cipher; the key bytes are overwritten when done.
class CbcCipher {
public:
    CbcCipher(std::string_view keytext, std::string_view ivtext) {
        key_ = ZeroPad(keytext, 32);
        const std::size_t key_bytes = keytext.size() <= 16 ? 16 : keytext.size() <= 24 ? 24 : 32;
        cipher_ = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key_.data()), key_bytes);
        const std::string iv = ZeroPad(ivtext, 16);
        std::copy_n(iv.begin(), 16, chain_.begin());
    }
    ~CbcCipher() { std::fill(key_.begin(), key_.end(), '\0'); }

    bool ok() const { return cipher_ != nullptr; }

    void Encrypt(std::string& data) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
        const std::size_t whole = data.size() / 16 * 16;
        for (std::size_t at = 0; at < whole; at += 16) {
            for (std::size_t i = 0; i < 16; ++i) bytes[at + i] ^= chain_[i];
            cipher_->EncryptBlock(bytes + at, chain_.data());
            std::copy_n(chain_.begin(), 16, bytes + at);
        }
        FinishPartial(bytes + whole, data.size() - whole);
    }

    void Decrypt(std::string& data) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
        const std::size_t whole = data.size() / 16 * 16;
        Block cipher_block;
        for (std::size_t at = 0; at < whole; at += 16) {
            std::copy_n(bytes + at, 16, cipher_block.begin());
            cipher_->DecryptBlock(bytes + at, bytes + at);
            for (std::size_t i = 0; i < 16; ++i) bytes[at + i] ^= chain_[i];
            chain_ = cipher_block;
        }
        FinishPartial(bytes + whole, data.size() - whole);
    }

private:
    // A last block shorter than 16 bytes is XORed with the chaining block
    // encrypted once more, in both directions.
    void FinishPartial(std::uint8_t* bytes, std::size_t count) {
        if (count == 0) return;
        Block stream;
        cipher_->EncryptBlock(chain_.data(), stream.data());
        for (std::size_t i = 0; i < count; ++i) bytes[i] ^= stream[i];
    }

    std::string key_;
    std::unique_ptr<TBlockCipher> cipher_;
    Block chain_{};
};

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each character in the alphabet; everything else counts as zero.
struct SextetTable {
    std::array<std::uint8_t, 256> value{};
    constexpr SextetTable() {
        for (std::uint8_t i = 0; i < 64; ++i) value[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
};
constexpr SextetTable kSextets;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string ZeroPad(std::string_view text, std::size_t n) {
    std::string padded(text);
    const std::size_t remainder = padded.size() % n;
    if (padded.empty())
        padded.assign(n, '\0');
    else if (remainder != 0)
        padded.append(n - remainder, '\0');
    return padded;
}

std::string EncryptText(std::string_view plain, std::string_view keytext, std::string_view ivtext) {
    std::string data = ZeroPad(plain, 16);
    CbcCipher cipher(keytext, ivtext);
    if (!cipher.ok()) return {};
    cipher.Encrypt(data);
    return Base64Encode(data);
}

std::string DecryptText(std::string_view base64, std::string_view keytext, std::string_view ivtext) {
    std::string data = Base64Decode(base64);
    CbcCipher cipher(keytext, ivtext);
    if (!cipher.ok()) return {};
    cipher.Decrypt(data);
    return data;
}

std::string Base64Encode(std::string_view bytes) {
    std::string text((bytes.size() + 2) / 3 * 4, '=');
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
    char* out = text.data();
    std::size_t at = 0;
    for (; at + 3 <= bytes.size(); at += 3, out += 4) {
        const std::uint32_t v = (in[at] << 16) | (in[at + 1] << 8) | in[at + 2];
        out[0] = kAlphabet[v >> 18];
        out[1] = kAlphabet[(v >> 12) & 63];
        out[2] = kAlphabet[(v >> 6) & 63];
        out[3] = kAlphabet[v & 63];
    }
    const std::size_t left = bytes.size() - at;
    if (left > 0) {
        const std::uint32_t v = (in[at] << 16) | (left == 2 ? in[at + 1] << 8 : 0);
        out[0] = kAlphabet[v >> 18];
        out[1] = kAlphabet[(v >> 12) & 63];
        if (left == 2) out[2] = kAlphabet[(v >> 6) & 63];
    }
    return text;
}

std::string Base64Decode(std::string_view text) {
    std::string bytes(text.size() / 4 * 3, '\0');
    char* out = bytes.data();
    char group[4];
    int filled = 0;
    for (char c : text) {
        if (IsBlank(c)) continue;
        group[filled++] = c;
        if (filled < 4) continue;
        filled = 0;
        const auto& s = kSextets.value;
        const std::uint32_t v = (s[static_cast<unsigned char>(group[0])] << 18) |
                                (s[static_cast<unsigned char>(group[1])] << 12) |
                                (s[static_cast<unsigned char>(group[2])] << 6) |
                                s[static_cast<unsigned char>(group[3])];
        *out++ = static_cast<char>(v >> 16);
        if (group[2] == '=') continue;
        *out++ = static_cast<char>((v >> 8) & 0xFF);
        if (group[3] == '=') continue;
        *out++ = static_cast<char>(v & 0xFF);
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}
