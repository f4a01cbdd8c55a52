#include <windows.h>

#include "Connection.h"
#include "FileSink.h"
#include "Handle_win.h"

namespace {

class WindowsFileSink final : public TFileSink {
public:
    explicit WindowsFileSink(UniqueFileHandle file) : file_(std::move(file)) {}
    void Write(const char* data, std::size_t size) override {
        while (size > 0) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file_.get(), data, chunk, &written, nullptr) || written == 0)
                throw ETransferError("cannot write the file");
            data += written;
            size -= written;
        }
    }

private:
    UniqueFileHandle file_;
};

}  // namespace

std::unique_ptr<TFileSink> TFileSink::Create(const std::string& path) {
    // No sharing: nobody else may open the file while the download writes it.
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw ETransferError("cannot create " + path + " (error " + std::to_string(GetLastError()) + ")");
    return std::make_unique<WindowsFileSink>(std::move(file));
}

std::string ExpandFileName(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}
