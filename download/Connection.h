// What a download asks of the network: a connection to a host, plain or
// over TLS, that another thread can break off at any stage.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

// A failure of the exchange (name, connection, TLS, protocol) or its abort.
class ETransferError : public std::runtime_error {
public:
    explicit ETransferError(const std::string& message, bool aborted = false)
        : std::runtime_error(message), aborted_(aborted) {}
    bool Aborted() const { return aborted_; }

private:
    bool aborted_;
};

// Set from any thread; whatever blocks on the network looks at it at least
// every few tens of milliseconds, and the current connection is shut down
// at once so a blocked receive returns.
class TAbortSignal {
public:
    void Abort() {
        // The interrupt runs under the lock: a connection clears it before
        // closing its socket, so the socket cannot be closed (and its handle
        // reused by another download) while the interrupt shuts it down.
        std::lock_guard lock(mutex_);
        aborted_ = true;
        if (interrupt_) interrupt_();
    }
    bool Aborted() const { return aborted_.load(); }
    void ThrowIfAborted() const {
        if (Aborted()) throw ETransferError("aborted", true);
    }
    // What Abort calls to break off the current connection; empty to clear.
    // Clearing waits for an interrupt that is running. The interrupt must not
    // call back into this signal.
    void SetInterrupt(std::function<void()> interrupt) {
        std::lock_guard lock(mutex_);
        interrupt_ = std::move(interrupt);
    }

private:
    std::mutex mutex_;
    std::atomic<bool> aborted_{false};
    std::function<void()> interrupt_;
};

class TConnection {
public:
    virtual ~TConnection() = default;
    virtual void SendAll(std::string_view data) = 0;
    // Up to `size` bytes; 0 when the peer has closed the connection.
    virtual std::size_t Receive(char* buffer, std::size_t size) = 0;
    // True as soon as Receive would return without waiting; false when
    // `milliseconds` pass first.
    virtual bool WaitReadable(int milliseconds) = 0;
};

class TConnector {
public:
    virtual ~TConnector() = default;
    // Resolves `host`, connects and, for `tls`, shakes hands checking the
    // server's certificate. Failures and aborts throw ETransferError.
    virtual std::unique_ptr<TConnection> Connect(const std::string& host, std::uint16_t port, bool tls,
                                                 TAbortSignal& abort) = 0;
};
