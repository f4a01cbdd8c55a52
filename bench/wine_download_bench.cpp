// Downloads under Wine from the local test server:
//  - 1 GiB through TDownloadObj, its hand-overs served by a message loop,
//    against the same HTTP transfer run bare (no events), one after the other;
//  - 20 downloads of 50 MiB at once, each file's SHA-256 against the expected;
//  - how long Stop takes to end a download in each stage.
// Usage: wine_download_bench.exe SERVERS_FOLDER TEMP_FOLDER
#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AbortableCall.h"
#include "Application_win.h"
#include "DownloadObj.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string g_base;
std::string g_temp;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::unique_ptr<TDownloadObj> Start(const std::string& path, const std::string& name) {
    auto record = std::make_unique<TDownloadObj>();
    record->URL = g_base + path;
    record->SaveDir = g_temp;
    record->FileName = name;
    record->Start();
    return record;
}

bool Wait(const std::function<bool()>& done, DWORD ms = 600000) {
    return Application.ProcessMessagesUntil(done, ms);
}

std::string Sha256OfFile(const std::string& path) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
    std::ifstream file(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || file.gcount() > 0)
        BCryptHashData(hash, reinterpret_cast<PUCHAR>(buffer.data()), static_cast<ULONG>(file.gcount()), 0);
    unsigned char digest[32];
    BCryptFinishHash(hash, digest, sizeof digest, 0);
    BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    char hex[65];
    for (int i = 0; i < 32; ++i) std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
    return hex;
}

void WritePattern(const std::string& path, std::size_t size) {
    std::ofstream file(path, std::ios::binary);
    std::string block(95 * 11000, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(32 + i % 95);
    for (std::size_t left = size; left > 0;) {
        const std::size_t n = std::min(left, block.size());
        file.write(block.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Alternating rounds, so both sides see the same machine.
void Throughput(int rounds) {
    const std::size_t size = std::size_t{1} << 30;
    const std::string path = "/file/" + std::to_string(size);
    std::vector<double> bare_s, record_s;
    bool all_complete = true;
    for (int round = 0; round < rounds; ++round) {
        // Bare: the same transfer on this thread, no events, no hand-overs.
        TURI uri(g_base + path);
        auto bare = CreateHttpTransfer();
        bare->SetURI(&uri);
        auto start = Clock::now();
        bare->Download(g_temp + "bare.bin");
        bare_s.push_back(Seconds(Clock::now() - start));
        DeleteFileA((g_temp + "bare.bin").c_str());

        start = Clock::now();
        auto record = Start(path, "record.bin");
        Wait([&] { return record->Outcome != TDownloadOutcome::None; });
        record_s.push_back(Seconds(Clock::now() - start));
        all_complete = all_complete && record->Outcome == TDownloadOutcome::Complete &&
                       record->Done() == static_cast<std::int32_t>(size);
        record.reset();
        DeleteFileA((g_temp + "record.bin").c_str());
    }
    const double b = Median(bare_s), r = Median(record_s);
    std::printf("1 GiB bare transfer     %7.2f s  %7.1f MB/s  (median of %d)\n", b, size / 1e6 / b, rounds);
    std::printf("1 GiB via TDownloadObj  %7.2f s  %7.1f MB/s  (median of %d, %s)\n", r, size / 1e6 / r, rounds,
                all_complete ? "all complete" : "NOT ALL COMPLETE");
    std::printf("ratio record/bare throughput: %.3f\n", b / r);
}

void Parallel() {
    const std::size_t size = 50u << 20;
    WritePattern(g_temp + "expected.bin", size);
    const std::string expected = Sha256OfFile(g_temp + "expected.bin");
    std::vector<std::unique_ptr<TDownloadObj>> records;
    const auto start = Clock::now();
    for (int i = 0; i < 20; ++i)
        records.push_back(Start("/file/" + std::to_string(size) + "/p" + std::to_string(i), "p" + std::to_string(i) + ".bin"));
    Wait([&] {
        for (auto& r : records)
            if (r->Outcome == TDownloadOutcome::None) return false;
        return true;
    });
    const double seconds = Seconds(Clock::now() - start);
    int identical = 0;
    for (int i = 0; i < 20; ++i) {
        const std::string file = g_temp + "p" + std::to_string(i) + ".bin";
        if (records[i]->Outcome == TDownloadOutcome::Complete && Sha256OfFile(file) == expected) ++identical;
        DeleteFileA(file.c_str());
    }
    std::printf("20 x 50 MiB at once     %7.2f s  %7.1f MB/s aggregate, %d/20 complete with SHA-256 %s...\n",
                seconds, 20.0 * size / 1e6 / seconds, identical, expected.substr(0, 16).c_str());
}

void AbortLatency(const char* stage, const std::string& path, const std::function<bool(TDownloadObj&)>& ready) {
    auto record = Start(path, "abort.bin");
    Wait([&] { return ready(*record); }, 10000);
    const auto start = Clock::now();
    record->Stop();
    std::printf("abort while %-22s %6.1f ms\n", stage, Seconds(Clock::now() - start) * 1000);
}

void Latencies() {
    // Name resolution runs on a helper the worker can leave; time leaving one that never ends.
    TAbortSignal abort;
    std::thread([&] {
        std::this_thread::sleep_for(200ms);
        abort.Abort();
    }).detach();
    const auto start = Clock::now();
    try {
        RunAbortable<int>([] { std::this_thread::sleep_for(30s); return 0; }, abort);
    } catch (const ETransferError&) {
    }
    std::printf("abort while %-22s %6.1f ms\n", "resolving the name", Seconds(Clock::now() - start) * 1000 - 200);
    AbortLatency("waiting for the reply", "/stall-head", [](TDownloadObj&) {
        std::this_thread::sleep_for(300ms);
        return true;
    });
    AbortLatency("reading the body", "/stall-body/1000000", [](TDownloadObj& r) { return r.Done() > 0; });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    Application.Initialize();
    std::ifstream port_file(std::string(argv[1]) + "\\recorder.port");
    int port = 0;
    port_file >> port;
    g_base = "http://127.0.0.1:" + std::to_string(port);
    g_temp = std::string(argv[2]) + "\\";
    Throughput(3);
    Parallel();
    Latencies();
    return 0;
}
