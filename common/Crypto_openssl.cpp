// libcrypto's AES and MD5, as the native build's stand-in for the platform's.
#include <openssl/evp.h>

#include "Crypto.h"

namespace {

class OpenSslAes final : public TBlockCipher {
public:
    OpenSslAes(const std::uint8_t* key, std::size_t key_bytes)
        : encrypt_(EVP_CIPHER_CTX_new()), decrypt_(EVP_CIPHER_CTX_new()) {
        const EVP_CIPHER* cipher = key_bytes == 16   ? EVP_aes_128_ecb()
                                   : key_bytes == 24 ? EVP_aes_192_ecb()
                                                     : EVP_aes_256_ecb();
        ok_ = encrypt_ && decrypt_ && EVP_EncryptInit_ex(encrypt_, cipher, nullptr, key, nullptr) == 1 &&
              EVP_DecryptInit_ex(decrypt_, cipher, nullptr, key, nullptr) == 1 &&
              EVP_CIPHER_CTX_set_padding(encrypt_, 0) == 1 && EVP_CIPHER_CTX_set_padding(decrypt_, 0) == 1;
    }
    ~OpenSslAes() override {
        EVP_CIPHER_CTX_free(encrypt_);  // also clears the key schedule
        EVP_CIPHER_CTX_free(decrypt_);
    }
    bool ok() const { return ok_; }

    void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) override {
        int written = 0;
        EVP_EncryptUpdate(encrypt_, out, &written, in, 16);
    }
    void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) override {
        int written = 0;
        EVP_DecryptUpdate(decrypt_, out, &written, in, 16);
    }

private:
    EVP_CIPHER_CTX* encrypt_;
    EVP_CIPHER_CTX* decrypt_;
    bool ok_ = false;
};

}  // namespace

std::unique_ptr<TBlockCipher> CreateAesCipher(const std::uint8_t* key, std::size_t key_bytes) {
    if (key_bytes != 16 && key_bytes != 24 && key_bytes != 32) return nullptr;
    auto cipher = std::make_unique<OpenSslAes>(key, key_bytes);
    if (!cipher->ok()) return nullptr;
    return cipher;
}

std::array<std::uint8_t, 16> Md5Digest(std::string_view data) {
    std::array<std::uint8_t, 16> digest{};
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_md5(), nullptr);
    return digest;
}
