// The envelope: digest, AES and CBC against published vectors, zero padding,
// the partial last block, Base64's decoding rules, and the shared vectors
// that the lookup service checks too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Crypto.h"
#include "EncryptDecryptUnit.h"
#include "EnvelopeVectors.h"
#include "PubUnit.h"

namespace {

std::string ToHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return hex;
}

const std::string kKey = MD5Hex16("gravomel");
const std::string kIv = MD5Hex16("qaltumbrenx");

TEST(Envelope, Md5Hex16TakesTheMiddleEightBytesInUpperCase) {
    EXPECT_EQ(MD5Hex16("abc"), "3CD24FB0D6963F7D");
    EXPECT_EQ(MD5Hex16(""), "8F00B204E9800998");
    EXPECT_EQ(MD5Hex16("The quick brown fox jumps over the lazy dog"), "372BB6826BD81D35");
    EXPECT_EQ(MD5Hex16("gravomel"), "47652045FB5616CD");
    EXPECT_EQ(MD5Hex16("qaltumbrenx"), "D18DBE2B833E0743");
}

TEST(Envelope, BlockCipherMatchesFips197) {
    const std::string key = FromHex("000102030405060708090a0b0c0d0e0f");
    auto aes = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key.data()), 16);
    ASSERT_TRUE(aes);
    const std::string plain = FromHex("00112233445566778899aabbccddeeff");
    std::uint8_t out[16];
    aes->EncryptBlock(reinterpret_cast<const std::uint8_t*>(plain.data()), out);
    EXPECT_EQ(ToHex(std::string_view(reinterpret_cast<char*>(out), 16)), "69c4e0d86a7b0430d8cdb78070b4c55a");
    std::uint8_t back[16];
    aes->DecryptBlock(out, back);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 16), plain);

    const std::string key256 = FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    auto aes256 = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key256.data()), 32);
    aes256->EncryptBlock(reinterpret_cast<const std::uint8_t*>(plain.data()), out);
    EXPECT_EQ(ToHex(std::string_view(reinterpret_cast<char*>(out), 16)), "8ea2b7ca516745bfeafc49904b496089");
    EXPECT_EQ(CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key.data()), 15), nullptr);
}

TEST(Envelope, CbcMatchesTheNistExample) {
    // SP 800-38A F.2.1: AES-128-CBC; our Base64 around it.
    const std::string key = FromHex("2b7e151628aed2a6abf7158809cf4f3c");
    const std::string iv = FromHex("000102030405060708090a0b0c0d0e0f");
    const std::string plain = FromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51");
    const std::string sealed = EncryptText(plain, key, iv);
    EXPECT_EQ(ToHex(Base64Decode(sealed)), "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2");
    EXPECT_EQ(DecryptText(sealed, key, iv), plain);
}

TEST(Envelope, ZeroPadding) {
    EXPECT_EQ(ZeroPad("", 16), std::string(16, '\0'));
    EXPECT_EQ(ZeroPad("abc", 16), "abc" + std::string(13, '\0'));
    EXPECT_EQ(ZeroPad(std::string(16, 'x'), 16), std::string(16, 'x'));
    EXPECT_EQ(ZeroPad(std::string(17, 'x'), 16), std::string(17, 'x') + std::string(15, '\0'));
}

TEST(Envelope, ThirtyTwoBytesStayTwoBlocksAndThirtyThreeBecomeThree) {
    const std::string sealed32 = EncryptText(std::string(32, 'p'), kKey, kIv);
    EXPECT_EQ(sealed32.size(), 44u);
    EXPECT_EQ(Base64Decode(sealed32).size(), 32u);
    const std::string sealed33 = EncryptText(std::string(33, 'p'), kKey, kIv);
    EXPECT_EQ(sealed33.size(), 64u);
    EXPECT_EQ(DecryptText(sealed33, kKey, kIv), std::string(33, 'p') + std::string(15, '\0'));
    const std::string sixteen = "0123456789ABCDEF";
    EXPECT_EQ(DecryptText(EncryptText(sixteen, kKey, kIv), kKey, kIv), sixteen);
}

TEST(Envelope, AgreesWithTheSharedVectors) {
    const auto vectors = ReadEnvelopeVectors(TARNWICK_VECTORS_DIR "/envelope.txt");
    ASSERT_GE(vectors.size(), 5u) << "vectors file missing";
    for (const auto& [plain, seal] : vectors) {
        EXPECT_EQ(EncryptText(plain, kKey, kIv), seal);
        EXPECT_EQ(DecryptText(seal, kKey, kIv), ZeroPad(plain, 16)) << seal;
    }
}

TEST(Envelope, PartialLastBlockIsXoredWithTheEncryptedChain) {
    // 20 bytes: one whole block and four more. Decrypting what encrypting
    // produced gives the text back, and the tail is the chaining block
    // encrypted once more, XORed on.
    const std::string key = FromHex("000102030405060708090a0b0c0d0e0f");
    const std::string iv = FromHex("0f0e0d0c0b0a09080706050403020100");
    const std::string plain = "0123456789abcdefWXYZ";
    const std::string whole = Base64Decode(EncryptText(plain.substr(0, 16), key, iv));
    auto aes = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key.data()), 16);
    std::uint8_t stream[16];
    aes->EncryptBlock(reinterpret_cast<const std::uint8_t*>(whole.data()), stream);
    std::string sealed = whole;
    for (int i = 0; i < 4; ++i) sealed += static_cast<char>(plain[16 + i] ^ stream[i]);
    EXPECT_EQ(DecryptText(Base64Encode(sealed), key, iv), plain);

    // A lone partial block uses the IV as chain.
    aes->EncryptBlock(reinterpret_cast<const std::uint8_t*>(iv.data()), stream);
    std::string lone;
    for (int i = 0; i < 3; ++i) lone += static_cast<char>("abc"[i] ^ stream[i]);
    EXPECT_EQ(DecryptText(Base64Encode(lone), key, iv), "abc");
}

TEST(Envelope, KeySizeFollowsTheKeyTextsLength) {
    // A 20-byte key text is an AES-192 key: the text plus four zero bytes.
    const std::string keytext = "0123456789ABCDEFGHIJ";
    const std::string key24 = keytext + std::string(4, '\0');
    auto aes = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key24.data()), 24);
    const std::string iv(16, '\0');
    std::uint8_t expected[16];
    const std::string block(16, 'k');
    aes->EncryptBlock(reinterpret_cast<const std::uint8_t*>(block.data()), expected);  // IV of zeros: plain CBC = ECB
    EXPECT_EQ(Base64Decode(EncryptText(block, keytext, iv)),
              std::string(reinterpret_cast<char*>(expected), 16));
    // A short key text is zero-padded to 16 bytes: AES-128.
    const std::string key16 = "short" + std::string(11, '\0');
    aes = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key16.data()), 16);
    aes->EncryptBlock(reinterpret_cast<const std::uint8_t*>(block.data()), expected);
    EXPECT_EQ(Base64Decode(EncryptText(block, "short", iv)), std::string(reinterpret_cast<char*>(expected), 16));
}

TEST(Base64, EncodesWithPadding) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foob"), "Zm9vYg==");
    EXPECT_EQ(Base64Encode(std::string("\xff\xfe\x00", 3)), "//4A");
}

TEST(Base64, DecodesByGroupsOfFour) {
    struct Case {
        const char* text;
        std::string bytes;
    } cases[] = {
        {"", ""},
        {"Zm9", ""},                 // shorter than a group
        {"Zm9vYg==", "foob"},
        {"Zm9vYg=", "foo"},          // trailing incomplete group ignored
        {"Zm8=", "fo"},
        {"Zg==", "f"},
        {"Zg=A", "f"},               // third character "=": one byte
        {"Zm9vYmFy\r\n", "foobar"},  // a line break after the text is ignored
        {"Zm9v\r\nYmFy", "foobar"},  // and so are breaks between groups
        {"//4A", std::string("\xff\xfe\x00", 3)},
        {"Z!9v", std::string("\x64\x0f\x6f", 3)},  // outside the alphabet counts as zero
    };
    for (const Case& c : cases) EXPECT_EQ(Base64Decode(c.text), c.bytes) << c.text;
}

}  // namespace
