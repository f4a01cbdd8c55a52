// The platform's cryptographic provider (BCrypt): AES in ECB mode, one block
// per call, and MD5.
#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "Crypto.h"
#include "Handle_win.h"

namespace {

struct AlgorithmTraits {
    using type = BCRYPT_ALG_HANDLE;
    static type invalid() { return nullptr; }
    static void close(type h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct KeyTraits {
    using type = BCRYPT_KEY_HANDLE;
    static type invalid() { return nullptr; }
    static void close(type h) { BCryptDestroyKey(h); }
};
struct HashTraits {
    using type = BCRYPT_HASH_HANDLE;
    static type invalid() { return nullptr; }
    static void close(type h) { BCryptDestroyHash(h); }
};

template <typename Traits>
using Owned = UniqueHandle<Traits>;

bool Succeeded(NTSTATUS status) { return status >= 0; }

class BCryptAes final : public TBlockCipher {
public:
    BCryptAes(const std::uint8_t* key, std::size_t key_bytes) {
        ok_ = Succeeded(BCryptOpenAlgorithmProvider(algorithm_.put(), BCRYPT_AES_ALGORITHM, nullptr, 0)) &&
              Succeeded(BCryptSetProperty(algorithm_.get(), BCRYPT_CHAINING_MODE,
                                          reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_ECB)),
                                          sizeof(BCRYPT_CHAIN_MODE_ECB), 0)) &&
              Succeeded(BCryptGenerateSymmetricKey(algorithm_.get(), key_.put(), nullptr, 0,
                                                   const_cast<PUCHAR>(key), static_cast<ULONG>(key_bytes), 0));
    }
    bool ok() const { return ok_; }

    void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) override {
        ULONG written = 0;
        BCryptEncrypt(key_.get(), const_cast<PUCHAR>(in), 16, nullptr, nullptr, 0, out, 16, &written, 0);
    }
    void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) override {
        ULONG written = 0;
        BCryptDecrypt(key_.get(), const_cast<PUCHAR>(in), 16, nullptr, nullptr, 0, out, 16, &written, 0);
    }

private:
    Owned<AlgorithmTraits> algorithm_;
    Owned<KeyTraits> key_;  // destroyed first: BCrypt wipes the key schedule
    bool ok_ = false;
};

}  // namespace

std::unique_ptr<TBlockCipher> CreateAesCipher(const std::uint8_t* key, std::size_t key_bytes) {
    if (key_bytes != 16 && key_bytes != 24 && key_bytes != 32) return nullptr;
    auto cipher = std::make_unique<BCryptAes>(key, key_bytes);
    if (!cipher->ok()) return nullptr;
    return cipher;
}

std::array<std::uint8_t, 16> Md5Digest(std::string_view data) {
    std::array<std::uint8_t, 16> digest{};
    Owned<AlgorithmTraits> algorithm;
    Owned<HashTraits> hash;
    if (Succeeded(BCryptOpenAlgorithmProvider(algorithm.put(), BCRYPT_MD5_ALGORITHM, nullptr, 0)) &&
        Succeeded(BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0)) &&
        Succeeded(BCryptHashData(hash.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                 static_cast<ULONG>(data.size()), 0)))
        BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0);
    return digest;
}
