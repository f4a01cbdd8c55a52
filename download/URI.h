// A URL split into its parts, as downloads use it: protocol, user name,
// password, host, port, path (with its slashes), document, query, fragment.
#pragma once

#include <string>

class TURI {
public:
    TURI() = default;
    explicit TURI(const std::string& url);

    std::string Protocol;
    std::string Username;
    std::string Password;
    std::string Host;
    std::string Port;      // as written; empty when the URL names none
    std::string Path;      // "/a/b/" for http://host/a/b/c.exe; empty when none
    std::string Document;  // "c.exe"
    std::string Params;    // the query, without "?"
    std::string Bookmark;  // the fragment, without "#"

    // scheme://host[:port]pathdocument[?query]; no user, password or fragment.
    std::string RequestURL() const;
    // The same with path and document, then query, percent-encoded byte by
    // byte, as used when the request URL holds a blank.
    std::string EncodedRequestURL() const;
};
