// The lookup's HTTP client against a local server that records what arrives.
#include <gtest/gtest.h>

#include <string>

#include "TestServers.h"
#include "dmUnit_win.h"
#include "http_win.h"

namespace {

struct Exchange {
    std::string reply = "unset";
    std::string final_url;
};

Exchange Post(const std::string& url, const std::string& body) {
    Exchange exchange;
    TDM::HttpPost(url, body, exchange.reply, exchange.final_url);
    return exchange;
}

bool Has(const std::string& line, const std::string& text) { return line.find(text) != std::string::npos; }

TEST(WebClient, PutsTheFormPostOnTheWire) {
    ASSERT_GT(ServerPort("recorder"), 0) << "the recording server is not running";
    const std::string url = ServerURL("recorder", "/index.php");
    const std::string body = "data=Ab%2B%2F%3D";
    const Exchange exchange = Post(url, body);
    EXPECT_EQ(exchange.reply, "ok");
    EXPECT_EQ(exchange.final_url, url);

    const std::vector<std::string> log = ServerLog("recorder");
    ASSERT_FALSE(log.empty());
    const std::string& line = log.back();
    EXPECT_TRUE(Has(line, "\"requestline\": \"POST /index.php HTTP/1.0\"")) << line;
    EXPECT_TRUE(Has(line, "[\"User-Agent\", \"Brasko\"]")) << line;
    EXPECT_TRUE(Has(line, "[\"Accept\", \"*/*\"]")) << line;
    EXPECT_TRUE(Has(line, "[\"Content-Type\", \"application/x-www-form-urlencoded\"]")) << line;
    EXPECT_TRUE(Has(line, "[\"Content-Length\", \"16\"]")) << line;
    EXPECT_FALSE(Has(line, "Referer")) << line;
    EXPECT_TRUE(Has(line, "\"body\": \"data=Ab%2B%2F%3D\"")) << line;
}

TEST(WebClient, AnyStatusBodyIsTheReply) {
    EXPECT_EQ(Post(ServerURL("recorder", "/status/404"), "x=1").reply,
              "<html><body><h1>404</h1>Not here.</body></html>");
}

TEST(WebClient, LongBodiesArriveWhole) {
    const std::string reply = Post(ServerURL("recorder", "/size/3000"), "x=1").reply;
    ASSERT_EQ(reply.size(), 3000u);
    EXPECT_EQ(reply.substr(0, 3), " !\"");
    EXPECT_EQ(reply[2999], static_cast<char>(32 + 2999 % 95));
}

TEST(WebClient, RedirectsAreFollowedToTheFinalReply) {
    const Exchange exchange = Post(ServerURL("recorder", "/redirect?to=/size/50"), "x=1");
    EXPECT_EQ(exchange.reply.size(), 50u);
    EXPECT_EQ(exchange.final_url, ServerURL("recorder", "/size/50"));
}

TEST(WebClient, OversizedRepliesAreDropped) {
    EXPECT_EQ(Post(ServerURL("recorder", "/huge"), "x=1").reply, "");
}

TEST(WebClient, FailuresLeaveTheReplyEmpty) {
    // A port nobody listens on: connect fails inside the send.
    EXPECT_EQ(Post("http://127.0.0.1:1/index.php", "x=1").reply, "");
    EXPECT_EQ(Post("no scheme here", "x=1").reply, "");
}

}  // namespace
