// The target file of a download: created afresh (an existing file is cut to
// length 0) and held without sharing while the download writes it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class TFileSink {
public:
    virtual ~TFileSink() = default;
    // Throws ETransferError when the file cannot be created.
    static std::unique_ptr<TFileSink> Create(const std::string& path);
    // Throws ETransferError when the bytes cannot be written.
    virtual void Write(const char* data, std::size_t size) = 0;
};

// `path` made absolute against the current folder.
std::string ExpandFileName(const std::string& path);
