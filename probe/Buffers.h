// Buffers for platform calls. A buffer that cannot be allocated makes the
// value it was meant for count as missing, so allocation never throws out.
#pragma once

#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace probe {

template <typename T>
std::optional<std::vector<T>> zeroed_buffer(std::size_t count) {
    try {
        return std::vector<T>(count, T{});
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

// The text up to the first NUL within the first `length` units.
inline std::u16string text_before_nul(const char16_t* data, std::size_t length) {
    std::size_t n = 0;
    while (n < length && data[n] != u'\0') ++n;
    return std::u16string(data, n);
}

}  // namespace probe
