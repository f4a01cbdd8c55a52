// One move-only owner for every kind of Win32 handle; each kind names its
// invalid value and how it is released.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::type;

    UniqueHandle() = default;
    explicit UniqueHandle(pointer value) : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    pointer get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::invalid(); }

    void reset(pointer value = Traits::invalid()) {
        if (value_ != Traits::invalid()) Traits::close(value_);
        value_ = value;
    }
    pointer release() { return std::exchange(value_, Traits::invalid()); }
    // For out-parameters: the old handle is released first.
    pointer* put() {
        reset();
        return &value_;
    }

private:
    pointer value_ = Traits::invalid();
};

struct KernelHandleTraits {
    using type = HANDLE;
    static type invalid() { return nullptr; }
    static void close(type h) { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { CloseHandle(h); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct RegKeyTraits {
    using type = HKEY;
    static type invalid() { return nullptr; }
    static void close(type h) { RegCloseKey(h); }
};
using UniqueHKey = UniqueHandle<RegKeyTraits>;

// SetupDiOpenDevRegKey reports failure as INVALID_HANDLE_VALUE, not null.
struct DevRegKeyTraits {
    using type = HKEY;
    static type invalid() { return reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE); }
    static void close(type h) { RegCloseKey(h); }
};
using UniqueDevRegKey = UniqueHandle<DevRegKeyTraits>;

struct GdiObjectTraits {
    using type = HGDIOBJ;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct BitmapTraits {
    using type = HBITMAP;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteObject(h); }
};
using UniqueBitmap = UniqueHandle<BitmapTraits>;

struct RegionTraits {
    using type = HRGN;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteObject(h); }
};
using UniqueRegion = UniqueHandle<RegionTraits>;

struct MemoryDcTraits {
    using type = HDC;
    static type invalid() { return nullptr; }
    static void close(type h) { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's device context from GetDC/GetWindowDC, released to its window.
class WindowDc {
public:
    WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Keeps a GDI object selected into a DC for a scope, then restores the old one.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};
