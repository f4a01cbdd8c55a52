// Plain TCP over POSIX sockets, for the native build. It speaks no TLS:
// an https link fails here.
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "AddressLookup.h"
#include "DownloadObj.h"

namespace {

constexpr int kSliceMs = 25;

class PosixConnection final : public TConnection {
public:
    PosixConnection(int socket, TAbortSignal& abort) : socket_(socket), abort_(abort) {
        abort_.SetInterrupt([socket] { shutdown(socket, SHUT_RDWR); });
    }
    ~PosixConnection() override {
        abort_.SetInterrupt({});
        close(socket_);
    }

    void SendAll(std::string_view data) override {
        while (!data.empty()) {
            Wait(POLLOUT);
            const ssize_t sent = send(socket_, data.data(), data.size(), MSG_NOSIGNAL);
            if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (sent <= 0) Fail("send");
            data.remove_prefix(static_cast<std::size_t>(sent));
        }
    }

    bool WaitReadable(int milliseconds) override {
        pollfd entry{socket_, POLLIN, 0};
        int left = milliseconds;
        do {
            abort_.ThrowIfAborted();
            const int slice = std::min(left, kSliceMs);
            if (poll(&entry, 1, slice) != 0) return true;
            left -= slice;
        } while (left > 0);
        abort_.ThrowIfAborted();
        return false;
    }

    std::size_t Receive(char* buffer, std::size_t size) override {
        for (;;) {
            Wait(POLLIN);
            const ssize_t got = recv(socket_, buffer, size, 0);
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (got < 0) Fail("receive");
            abort_.ThrowIfAborted();
            return static_cast<std::size_t>(got);
        }
    }

private:
    void Wait(short events) {
        pollfd entry{socket_, events, 0};
        while (poll(&entry, 1, kSliceMs) == 0) abort_.ThrowIfAborted();
        abort_.ThrowIfAborted();
    }
    [[noreturn]] void Fail(const char* what) {
        abort_.ThrowIfAborted();
        throw ETransferError(std::string(what) + " failed: " + std::strerror(errno));
    }

    int socket_;
    TAbortSignal& abort_;
};

class PosixConnector final : public TConnector {
public:
    std::unique_ptr<TConnection> Connect(const std::string& host, std::uint16_t port, bool tls,
                                         TAbortSignal& abort) override {
        if (tls) throw ETransferError("this build has no TLS");
        const std::vector<TAddress> addresses = LookUpAddresses(host, port, abort);
        for (const TAddress& address : addresses) {
            const int socket = ::socket(address.family, SOCK_STREAM, 0);
            if (socket < 0) continue;
            fcntl(socket, F_SETFL, fcntl(socket, F_GETFL) | O_NONBLOCK);
            auto connection = std::make_unique<PosixConnection>(socket, abort);
            if (connect(socket, address.get(), static_cast<socklen_t>(address.size())) == 0) return connection;
            if (errno != EINPROGRESS) continue;
            pollfd poll_entry{socket, POLLOUT, 0};
            while (poll(&poll_entry, 1, kSliceMs) == 0) abort.ThrowIfAborted();
            abort.ThrowIfAborted();
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length);
            if (error == 0) return connection;
        }
        throw ETransferError("cannot connect to " + host + ":" + std::to_string(port));
    }
};

}  // namespace

std::unique_ptr<TTransfer> CreateHttpTransfer() {
    static PosixConnector connector;
    return std::make_unique<ThttpTransfer>(connector);
}
