#include <gtest/gtest.h>

#include "ConvertError.h"
#include "ParseURL.h"

namespace {

TEST(ParseURLTest, SplitsSchemeHostPortAndPath) {
    struct Case {
        const char* url;
        const char* scheme;
        const char* host;
        unsigned port;
        const char* path;
        unsigned server_port;
    } cases[] = {
        {"http://host/index.php", "http", "host", 0, "index.php", 80},
        {"https://host:8443/a/b", "https", "host", 8443, "a/b", 8443},
        {"HTTPS://host/x", "HTTPS", "host", 0, "x", 443},
        {"http://host", "http", "host", 0, "", 80},
        {"http://127.0.0.1:5000/index.php?x=1", "http", "127.0.0.1", 5000, "index.php?x=1", 5000},
    };
    for (const Case& c : cases) {
        TParsedURL parts;
        ASSERT_TRUE(ParseURL(c.url, parts)) << c.url;
        EXPECT_EQ(parts.Scheme, c.scheme);
        EXPECT_EQ(parts.Host, c.host);
        EXPECT_EQ(parts.Port, c.port);
        EXPECT_EQ(parts.Path, c.path);
        EXPECT_EQ(ServerPort(parts), c.server_port);
    }
}

TEST(ParseURLTest, WithoutSchemeSeparatorNothingIsParsed) {
    TParsedURL parts;
    EXPECT_FALSE(ParseURL("host/index.php", parts));
    EXPECT_TRUE(parts.Host.empty());
    EXPECT_TRUE(parts.Path.empty());
}

TEST(ParseURLTest, APortThatIsNotANumberRaisesTheConversionError) {
    TParsedURL parts;
    EXPECT_THROW(ParseURL("http://host:port/x", parts), EConvertError);
    EXPECT_THROW(ParseURL("http://host:/x", parts), EConvertError);
}

}  // namespace
