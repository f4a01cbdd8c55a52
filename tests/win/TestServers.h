// Where the servers that CTest started for this run listen.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

// A Unix path of the test run as Wine sees it (drive Z: is the root).
inline std::string WinePath(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The folder named by TARNWICK_TEST_SERVERS, where each server writes NAME.port and NAME.log.
inline std::string ServersFolder() {
    const char* folder = std::getenv("TARNWICK_TEST_SERVERS");
    return folder ? WinePath(folder) : std::string();
}

inline int ServerPort(const std::string& name) {
    std::ifstream file(ServersFolder() + "\\" + name + ".port");
    int port = 0;
    file >> port;
    return port;
}

inline std::string ServerURL(const std::string& name, const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(ServerPort(name)) + path;
}

// Every line the server has logged so far.
inline std::vector<std::string> ServerLog(const std::string& name) {
    std::ifstream file(ServersFolder() + "\\" + name + ".log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}
