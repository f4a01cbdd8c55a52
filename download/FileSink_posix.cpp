#include <cstdio>
#include <filesystem>

#include "Connection.h"
#include "FileSink.h"

namespace {

class PosixFileSink final : public TFileSink {
public:
    explicit PosixFileSink(std::FILE* file) : file_(file) {}
    ~PosixFileSink() override { std::fclose(file_); }
    void Write(const char* data, std::size_t size) override {
        if (std::fwrite(data, 1, size, file_) != size) throw ETransferError("cannot write the file");
    }

private:
    std::FILE* file_;
};

}  // namespace

std::unique_ptr<TFileSink> TFileSink::Create(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw ETransferError("cannot create " + path);
    return std::make_unique<PosixFileSink>(file);
}

std::string ExpandFileName(const std::string& path) { return std::filesystem::absolute(path).string(); }
