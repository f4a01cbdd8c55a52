// Real downloads through the progress record against the local test server:
// lengths, chunks, redirects, failures, aborts at each stage and many at
// once. The same tests run natively and under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DownloadObj.h"

namespace {

using namespace std::chrono_literals;

#ifdef _WIN32
const char kSeparator = '\\';
std::string HostPath(std::string path) {  // the Unix path as Wine's drive Z: shows it
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}
#else
const char kSeparator = '/';
std::string HostPath(const std::string& path) { return path; }
#endif

std::string ServersFolder() {
    const char* folder = std::getenv("TARNWICK_TEST_SERVERS");
    return folder ? HostPath(folder) + kSeparator : std::string();
}

int Port(const std::string& name) {
    std::ifstream file(ServersFolder() + name + ".port");
    int port = 0;
    file >> port;
    return port;
}

std::string Url(const std::string& path, const std::string& server = "recorder", const char* scheme = "http") {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(Port(server)) + path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) { return static_cast<bool>(std::ifstream(path)); }

// What the server sends for a body of `size` bytes starting at `offset`.
std::string Pattern(std::size_t size, std::size_t offset = 0) {
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>(32 + (offset + i) % 95);
    return out;
}

class NetDownload : public testing::Test {
protected:
    void SetUp() override {
        TThread::SetMainThread();
        ASSERT_GT(Port("recorder"), 0) << "the test server is not running";
        folder_ = testing::TempDir();
    }

    std::unique_ptr<TDownloadObj> Start(const std::string& url, const std::string& name) {
        auto record = std::make_unique<TDownloadObj>();
        record->URL = url;
        record->SaveDir = folder_;
        record->FileName = name;
        std::remove(Path(name).c_str());
        record->Start();
        return record;
    }
    std::string Path(const std::string& name) const { return folder_ + name; }

    // Serves hand-overs until `done` holds; false after a generous while.
    template <typename Done>
    static bool ServeUntil(Done done) {
        const auto until = std::chrono::steady_clock::now() + 60s;
        while (!done()) {
            if (std::chrono::steady_clock::now() > until) return false;
            TThread::CheckSynchronize(5);
        }
        return true;
    }
    static bool Settle(TDownloadObj& record) {
        return ServeUntil([&] { return record.Outcome != TDownloadOutcome::None; });
    }

    std::string folder_;
};

TEST_F(NetDownload, AnnouncedLength) {
    auto record = Start(Url("/file/300000"), "announced.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Total(), 300000);
    EXPECT_EQ(record->Done(), 300000);
    EXPECT_EQ(ReadFile(Path("announced.bin")), Pattern(300000));
}

TEST_F(NetDownload, UnannouncedLengthKeepsTotalAtAHundred) {
    auto record = Start(Url("/nolength/300000"), "nolength.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_EQ(record->Total(), 100);
    EXPECT_EQ(record->Done(), 300000);
    EXPECT_EQ(ReadFile(Path("nolength.bin")), Pattern(300000));
}

TEST_F(NetDownload, ChunkedBody) {
    auto record = Start(Url("/chunked/250000"), "chunked.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_EQ(record->Total(), 100);
    EXPECT_EQ(ReadFile(Path("chunked.bin")), Pattern(250000));
}

TEST_F(NetDownload, BlanksInTheLinkReachTheServerEncoded) {
    auto record = Start(Url("/file/10/my driver.exe"), "blank.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    std::ifstream log(ServersFolder() + "recorder.log");
    bool seen = false;
    for (std::string line; std::getline(log, line);)
        seen = seen || line.find("\"path\": \"/file/10/my%20driver.exe\"") != std::string::npos;
    EXPECT_TRUE(seen);
}

TEST_F(NetDownload, NotFoundFailsWithAnEmptyFile) {
    auto record = Start(Url("/status/404"), "missing.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Failed);
    EXPECT_FALSE(record->Finished);
    EXPECT_EQ(record->Done(), 0);
    EXPECT_TRUE(Exists(Path("missing.bin")));
    EXPECT_EQ(ReadFile(Path("missing.bin")), "");
}

TEST_F(NetDownload, RedirectIsFollowed) {
    auto record = Start(Url("/redirect?to=/file/1000"), "redirected.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_EQ(ReadFile(Path("redirected.bin")), Pattern(1000));
}

TEST_F(NetDownload, RedirectToALinkWithBlanksReachesTheServerEncoded) {
    auto record = Start(Url("/redirect?to=/file/10/moved%20driver.exe"), "redirected-blank.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_EQ(ReadFile(Path("redirected-blank.bin")), Pattern(10));
}

TEST_F(NetDownload, BytesBeyondTheAnnouncedLengthAreDropped) {
    auto record = Start(Url("/overlong/5000"), "overlong.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Done(), 5000);
    EXPECT_EQ(ReadFile(Path("overlong.bin")), Pattern(5000));
}

TEST_F(NetDownload, SelfSignedHttpsIsRefused) {
    ASSERT_GT(Port("tls"), 0);
    auto record = Start(Url("/file/1000", "tls", "https"), "tls.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Failed);
    EXPECT_EQ(record->Done(), 0);
    EXPECT_EQ(ReadFile(Path("tls.bin")), "");
}

TEST_F(NetDownload, ADroppedConnectionIsAFailureNotACompletion) {
    auto record = Start(Url("/drop/200000"), "dropped.bin");
    ASSERT_TRUE(Settle(*record));
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Failed);
    EXPECT_EQ(ReadFile(Path("dropped.bin")), Pattern(100000));  // the partial file stays
}

TEST_F(NetDownload, AbortWhileWaitingForTheReply) {
    auto record = Start(Url("/stall-head"), "stalled-head.bin");
    std::this_thread::sleep_for(300ms);
    record->Stop();
    EXPECT_FALSE(record->Thread);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Aborted);
    EXPECT_FALSE(record->Finished);
    EXPECT_TRUE(Exists(Path("stalled-head.bin")));
}

TEST_F(NetDownload, AbortInTheMiddleOfTheBody) {
    auto record = Start(Url("/stall-body/500000"), "stalled-body.bin");
    ASSERT_TRUE(ServeUntil([&] { return record->Done() == 250000; }));
    record->Stop();
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Aborted);
    EXPECT_EQ(ReadFile(Path("stalled-body.bin")), Pattern(250000));
}

TEST_F(NetDownload, StartingAgainReplacesTheRunningDownload) {
    auto record = Start(Url("/stall-body/500000"), "again.bin");
    ASSERT_TRUE(ServeUntil([&] { return record->Done() > 0; }));
    record->URL = Url("/file/4000");
    record->Start();
    ASSERT_TRUE(ServeUntil([&] { return record->Outcome == TDownloadOutcome::Complete; }));
    EXPECT_EQ(ReadFile(Path("again.bin")), Pattern(4000));
}

TEST_F(NetDownload, FreeingARunningRecordEndsItsDownload) {
    auto record = Start(Url("/stall-body/500000"), "freed.bin");
    ASSERT_TRUE(ServeUntil([&] { return record->Done() > 0; }));
    record.reset();
    EXPECT_EQ(ReadFile(Path("freed.bin")), Pattern(250000));
}

TEST_F(NetDownload, TwentyDownloadsAtOnce) {
    std::vector<std::unique_ptr<TDownloadObj>> records;
    for (int i = 0; i < 20; ++i)
        records.push_back(Start(Url("/file/" + std::to_string(100000 + i) + "/part" + std::to_string(i)),
                                "part" + std::to_string(i) + ".bin"));
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(Settle(*records[i])) << i;
        EXPECT_EQ(records[i]->Outcome, TDownloadOutcome::Complete);
        EXPECT_EQ(ReadFile(Path("part" + std::to_string(i) + ".bin")), Pattern(100000 + i)) << i;
    }
}

}  // namespace
