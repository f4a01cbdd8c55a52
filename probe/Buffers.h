// Buffers for platform calls. A buffer that cannot be allocated makes the
// value it was meant for count as missing, so allocation never throws out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "DeviceSource.h"

namespace probe {

template <typename T>
std::optional<std::vector<T>> zeroed_buffer(std::size_t count) {
    try {
        return std::vector<T>(count, T{});
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {  // a size the address space cannot hold (32-bit)
        return std::nullopt;
    }
}

// The text up to the first NUL within the first `length` units.
inline std::u16string text_before_nul(const char16_t* data, std::size_t length) {
    std::size_t n = 0;
    while (n < length && data[n] != u'\0') ++n;
    return std::u16string(data, n);
}

// A UTF-16LE text stored as `size` bytes, up to its first NUL.
inline std::u16string text_from_bytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text_before_nul(text.data(), text.size());
}

// A text from a call that fails with kErrorInsufficientBuffer and the length
// it needs (in characters) when the buffer is too short: first `length`
// characters, then the needed length for as long as that recurs. nullopt for
// any other error or when no buffer can be had. A call that asks for no
// more than it was just given would ask for ever: that counts as missing.
template <typename Call>
std::optional<std::u16string> read_growing_text(std::uint32_t length, Call call) {
    auto buffer = zeroed_buffer<char16_t>(length);
    if (!buffer) return std::nullopt;
    std::uint32_t required = 0;
    Error error = call(buffer->data(), length, &required);
    while (error == kErrorInsufficientBuffer) {
        if (required <= length) return std::nullopt;
        length = required;
        buffer = zeroed_buffer<char16_t>(std::size_t{length} + 1);
        if (!buffer) return std::nullopt;
        error = call(buffer->data(), length, &required);
    }
    if (error != kErrorSuccess) return std::nullopt;
    return text_before_nul(buffer->data(), buffer->size());
}

}  // namespace probe
