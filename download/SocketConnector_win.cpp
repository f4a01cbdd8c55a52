// TCP over Winsock, and TLS through Schannel on the same socket, with the
// server's certificate checked by the system. Every wait is sliced so an
// abort is seen within a few tens of milliseconds, and the abort shuts the
// socket down so a blocked call returns at once.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <wincrypt.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "AddressLookup.h"
#include "DownloadObj.h"

namespace {

constexpr long kSliceMicroseconds = 25 * 1000;

struct WinsockStartup {
    WinsockStartup() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

// One TCP connection; it owns the socket.
class TcpSocket {
public:
    TcpSocket(SOCKET socket, TAbortSignal& abort) : socket_(socket), abort_(abort) {
        abort_.SetInterrupt([socket] { shutdown(socket, SD_BOTH); });
    }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;
    ~TcpSocket() {
        abort_.SetInterrupt({});
        closesocket(socket_);
    }

    SOCKET get() const { return socket_; }

    // One wait of at most `microseconds`; true when the socket is ready.
    bool Ready(bool for_write, long microseconds) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket_, &set);
        fd_set errors = set;
        timeval slice{microseconds / 1000000, microseconds % 1000000};
        return select(0, for_write ? nullptr : &set, for_write ? &set : nullptr, &errors, &slice) != 0;
    }

    bool WaitReadable(int milliseconds) {
        long left = static_cast<long>(milliseconds) * 1000;
        do {
            abort_.ThrowIfAborted();
            const long slice = std::min(left, kSliceMicroseconds);
            if (Ready(false, slice)) return true;
            left -= slice;
        } while (left > 0);
        abort_.ThrowIfAborted();
        return false;
    }

    void Wait(bool for_write) {
        while (!Ready(for_write, kSliceMicroseconds)) abort_.ThrowIfAborted();
        abort_.ThrowIfAborted();
    }

    void SendAll(const char* data, std::size_t size) {
        while (size > 0) {
            Wait(true);
            const int sent = send(socket_, data, static_cast<int>(std::min<std::size_t>(size, 1 << 20)), 0);
            if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) continue;
            if (sent <= 0) Fail("send");
            data += sent;
            size -= static_cast<std::size_t>(sent);
        }
    }

    std::size_t Receive(char* buffer, std::size_t size) {
        for (;;) {
            Wait(false);
            const int got = recv(socket_, buffer, static_cast<int>(std::min<std::size_t>(size, 1 << 20)), 0);
            if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) continue;
            if (got == SOCKET_ERROR) Fail("receive");
            abort_.ThrowIfAborted();
            return static_cast<std::size_t>(got);
        }
    }

    [[noreturn]] void Fail(const char* what) {
        const int error = WSAGetLastError();
        abort_.ThrowIfAborted();
        throw ETransferError(std::string(what) + " failed (" + std::to_string(error) + ")");
    }

private:
    SOCKET socket_;
    TAbortSignal& abort_;
};

class PlainConnection final : public TConnection {
public:
    explicit PlainConnection(std::unique_ptr<TcpSocket> socket) : socket_(std::move(socket)) {}
    void SendAll(std::string_view data) override { socket_->SendAll(data.data(), data.size()); }
    std::size_t Receive(char* buffer, std::size_t size) override { return socket_->Receive(buffer, size); }
    bool WaitReadable(int milliseconds) override { return socket_->WaitReadable(milliseconds); }

private:
    std::unique_ptr<TcpSocket> socket_;
};

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

bool Failed(SECURITY_STATUS status) { return status < 0; }

// The server's certificate must chain to a trusted root and name the host.
// Checked here rather than left to the provider, which not every Schannel
// does by itself.
void VerifyServerCertificate(CtxtHandle& context, const std::wstring& host) {
    PCCERT_CONTEXT certificate = nullptr;
    if (QueryContextAttributesW(&context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK || !certificate)
        throw ETransferError("the server sent no certificate");
    char server_auth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {server_auth};
    CERT_CHAIN_PARA chain_parameters{};
    chain_parameters.cbSize = sizeof chain_parameters;
    chain_parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    chain_parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
    chain_parameters.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    const BOOL built = CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore,
                                               &chain_parameters, 0, nullptr, &chain);
    CertFreeCertificateContext(certificate);
    if (!built || !chain) throw ETransferError("the server's certificate chain cannot be built");

    HTTPSPolicyCallbackData https{};
    https.cbStruct = sizeof https;
    https.dwAuthType = AUTHTYPE_SERVER;
    https.pwszServerName = const_cast<wchar_t*>(host.c_str());
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &https;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    const BOOL checked = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status);
    CertFreeCertificateChain(chain);
    if (!checked || status.dwError != 0)
        throw ETransferError("the server's certificate is not trusted (" + std::to_string(status.dwError) + ")");
}

// TLS through Schannel over an open socket.
class TlsConnection final : public TConnection {
public:
    TlsConnection(std::unique_ptr<TcpSocket> socket, const std::string& host) : socket_(std::move(socket)) {
        SCHANNEL_CRED settings{};
        settings.dwVersion = SCHANNEL_CRED_VERSION;
        settings.dwFlags = SCH_CRED_NO_DEFAULT_CREDS | SCH_CRED_MANUAL_CRED_VALIDATION;
        TimeStamp expiry;
        if (Failed(AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                             nullptr, &settings, nullptr, nullptr, &credentials_, &expiry)))
            throw ETransferError("TLS credentials unavailable");
        have_credentials_ = true;
        const std::wstring name = Widen(host);
        Handshake(name);
        VerifyServerCertificate(context_, name);
        if (Failed(QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_)))
            throw ETransferError("TLS stream sizes unavailable");
    }
    ~TlsConnection() override {
        if (have_context_) DeleteSecurityContext(&context_);
        if (have_credentials_) FreeCredentialsHandle(&credentials_);
    }

    void SendAll(std::string_view data) override {
        while (!data.empty()) {
            const std::size_t part = std::min<std::size_t>(data.size(), sizes_.cbMaximumMessage);
            std::vector<char> message(sizes_.cbHeader + part + sizes_.cbTrailer);
            std::memcpy(message.data() + sizes_.cbHeader, data.data(), part);
            SecBuffer buffers[4] = {
                {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, message.data()},
                {static_cast<unsigned long>(part), SECBUFFER_DATA, message.data() + sizes_.cbHeader},
                {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, message.data() + sizes_.cbHeader + part},
                {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc description{SECBUFFER_VERSION, 4, buffers};
            if (Failed(EncryptMessage(&context_, 0, &description, 0))) throw ETransferError("TLS encryption failed");
            socket_->SendAll(message.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
            data.remove_prefix(part);
        }
    }

    bool WaitReadable(int milliseconds) override {
        return !plain_.empty() || !encrypted_.empty() || closed_ || socket_->WaitReadable(milliseconds);
    }

    std::size_t Receive(char* buffer, std::size_t size) override {
        while (plain_.empty()) {
            if (closed_) return 0;
            if (!encrypted_.empty()) {
                SecBuffer buffers[4] = {{static_cast<unsigned long>(encrypted_.size()), SECBUFFER_DATA, encrypted_.data()},
                                        {0, SECBUFFER_EMPTY, nullptr},
                                        {0, SECBUFFER_EMPTY, nullptr},
                                        {0, SECBUFFER_EMPTY, nullptr}};
                SecBufferDesc description{SECBUFFER_VERSION, 4, buffers};
                const SECURITY_STATUS status = DecryptMessage(&context_, &description, 0, nullptr);
                if (status == SEC_E_OK || status == SEC_I_CONTEXT_EXPIRED) {
                    std::vector<char> extra;
                    for (const SecBuffer& b : buffers) {
                        if (b.BufferType == SECBUFFER_DATA) plain_.append(static_cast<char*>(b.pvBuffer), b.cbBuffer);
                        if (b.BufferType == SECBUFFER_EXTRA)
                            extra.assign(encrypted_.end() - b.cbBuffer, encrypted_.end());
                    }
                    encrypted_ = std::move(extra);
                    if (status == SEC_I_CONTEXT_EXPIRED) closed_ = true;
                    continue;
                }
                if (status != SEC_E_INCOMPLETE_MESSAGE) throw ETransferError("TLS decryption failed");
            }
            char chunk[16 * 1024];
            const std::size_t got = socket_->Receive(chunk, sizeof chunk);
            if (got == 0) {
                closed_ = true;
                continue;
            }
            encrypted_.insert(encrypted_.end(), chunk, chunk + got);
        }
        const std::size_t take = std::min(size, plain_.size());
        std::memcpy(buffer, plain_.data(), take);
        plain_.erase(0, take);
        return take;
    }

private:
    void Handshake(const std::wstring& host) {
        const unsigned long wanted = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                     ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;
        unsigned long granted = 0;
        TimeStamp expiry;
        SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc out_description{SECBUFFER_VERSION, 1, &out};
        SECURITY_STATUS status =
            InitializeSecurityContextW(&credentials_, nullptr, const_cast<wchar_t*>(host.c_str()), wanted, 0, 0,
                                       nullptr, 0, &context_, &out_description, &granted, &expiry);
        if (status != SEC_I_CONTINUE_NEEDED) throw ETransferError("TLS handshake could not start");
        have_context_ = true;
        SendToken(out);
        while (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_INCOMPLETE_MESSAGE) {
            if (status == SEC_E_INCOMPLETE_MESSAGE || encrypted_.empty()) {
                char chunk[16 * 1024];
                const std::size_t got = socket_->Receive(chunk, sizeof chunk);
                if (got == 0) throw ETransferError("connection closed during the TLS handshake");
                encrypted_.insert(encrypted_.end(), chunk, chunk + got);
            }
            SecBuffer in[2] = {{static_cast<unsigned long>(encrypted_.size()), SECBUFFER_TOKEN, encrypted_.data()},
                               {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc in_description{SECBUFFER_VERSION, 2, in};
            out = {0, SECBUFFER_TOKEN, nullptr};
            status = InitializeSecurityContextW(&credentials_, &context_, const_cast<wchar_t*>(host.c_str()), wanted,
                                                0, 0, &in_description, 0, nullptr, &out_description, &granted,
                                                &expiry);
            if (status == SEC_E_INCOMPLETE_MESSAGE) continue;
            if (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED) SendToken(out);
            if (Failed(status)) {
                if (out.pvBuffer) FreeContextBuffer(out.pvBuffer);
                throw ETransferError("TLS handshake refused (certificate or protocol), status " +
                                     std::to_string(static_cast<long>(status)));
            }
            // What the server sent beyond the handshake stays for the data.
            if (in[1].BufferType == SECBUFFER_EXTRA)
                encrypted_.erase(encrypted_.begin(), encrypted_.end() - in[1].cbBuffer);
            else
                encrypted_.clear();
        }
        if (status != SEC_E_OK) throw ETransferError("TLS handshake failed");
    }

    void SendToken(SecBuffer& token) {
        if (token.pvBuffer && token.cbBuffer > 0) socket_->SendAll(static_cast<char*>(token.pvBuffer), token.cbBuffer);
        if (token.pvBuffer) FreeContextBuffer(token.pvBuffer);
        token.pvBuffer = nullptr;
    }

    std::unique_ptr<TcpSocket> socket_;
    CredHandle credentials_{};
    CtxtHandle context_{};
    bool have_credentials_ = false;
    bool have_context_ = false;
    SecPkgContext_StreamSizes sizes_{};
    std::vector<char> encrypted_;
    std::string plain_;
    bool closed_ = false;
};

class WinsockConnector final : public TConnector {
public:
    std::unique_ptr<TConnection> Connect(const std::string& host, std::uint16_t port, bool tls,
                                         TAbortSignal& abort) override {
        static WinsockStartup startup;
        const std::vector<TAddress> addresses = LookUpAddresses(host, port, abort);
        for (const TAddress& address : addresses) {
            const SOCKET raw = ::socket(address.family, SOCK_STREAM, IPPROTO_TCP);
            if (raw == INVALID_SOCKET) continue;
            u_long nonblocking = 1;
            ioctlsocket(raw, FIONBIO, &nonblocking);
            auto socket = std::make_unique<TcpSocket>(raw, abort);
            if (connect(raw, address.get(), address.size()) == SOCKET_ERROR &&
                WSAGetLastError() != WSAEWOULDBLOCK)
                continue;
            socket->Wait(true);
            int error = 0;
            int length = sizeof error;
            getsockopt(raw, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
            if (error != 0) continue;
            if (tls) return std::make_unique<TlsConnection>(std::move(socket), host);
            return std::make_unique<PlainConnection>(std::move(socket));
        }
        throw ETransferError("cannot connect to " + host + ":" + std::to_string(port));
    }
};

}  // namespace

std::unique_ptr<TTransfer> CreateHttpTransfer() {
    static WinsockConnector connector;
    return std::make_unique<ThttpTransfer>(connector);
}
