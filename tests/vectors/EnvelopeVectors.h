// The shared envelope vectors (envelope.txt): plain text in hexadecimal, a
// tab, and the seal that the openssl command line computed for it.
#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

inline std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// (plain text, seal) pairs; empty when the file cannot be read.
inline std::vector<std::pair<std::string, std::string>> ReadEnvelopeVectors(const std::string& path) {
    std::vector<std::pair<std::string, std::string>> vectors;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        vectors.emplace_back(FromHex(line.substr(0, tab)), line.substr(tab + 1));
    }
    return vectors;
}
