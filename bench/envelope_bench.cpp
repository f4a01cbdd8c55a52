// Sealing and opening 10 MB (CBC, zero padding, Base64 both ways) against the
// raw block primitive alone doing the same number of block operations.
#include <benchmark/benchmark.h>

#include <string>

#include "Crypto.h"
#include "EncryptDecryptUnit.h"
#include "PubUnit.h"

namespace {

constexpr std::size_t kSize = 10 * 1024 * 1024;

void BM_SealAndOpen(benchmark::State& state) {
    const std::string key = MD5Hex16("gravomel");
    const std::string iv = MD5Hex16("qaltumbrenx");
    const std::string plain(kSize, 'p');
    for (auto _ : state) {
        const std::string sealed = EncryptText(plain, key, iv);
        benchmark::DoNotOptimize(DecryptText(sealed, key, iv).data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kSize));
}
BENCHMARK(BM_SealAndOpen)->Unit(benchmark::kMillisecond);

void BM_RawBlocks(benchmark::State& state) {
    const std::string key = MD5Hex16("gravomel");
    auto cipher = CreateAesCipher(reinterpret_cast<const std::uint8_t*>(key.data()), 16);
    std::string data(kSize, 'p');
    auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
    for (auto _ : state) {
        for (std::size_t at = 0; at < kSize; at += 16) cipher->EncryptBlock(bytes + at, bytes + at);
        for (std::size_t at = 0; at < kSize; at += 16) cipher->DecryptBlock(bytes + at, bytes + at);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kSize));
}
BENCHMARK(BM_RawBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
