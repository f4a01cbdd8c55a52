// Name resolution for both socket connectors. It cannot be interrupted, so
// it runs where the download can walk away from it when aborted.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AbortableCall.h"

struct TAddress {
    int family = 0;
    std::vector<char> bytes;  // the sockaddr

    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(bytes.data()); }
    int size() const { return static_cast<int>(bytes.size()); }
};

inline std::vector<TAddress> LookUpAddresses(const std::string& host, std::uint16_t port, const TAbortSignal& abort) {
    const std::string service = std::to_string(port);
    return RunAbortable<std::vector<TAddress>>(
        [host, service] {
            addrinfo hints{};
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found)
                throw ETransferError("cannot resolve " + host);
            std::vector<TAddress> addresses;
            for (const addrinfo* a = found; a; a = a->ai_next) {
                TAddress address{a->ai_family, std::vector<char>(a->ai_addrlen)};
                std::memcpy(address.bytes.data(), a->ai_addr, a->ai_addrlen);
                addresses.push_back(std::move(address));
            }
            freeaddrinfo(found);
            return addresses;
        },
        abort);
}
