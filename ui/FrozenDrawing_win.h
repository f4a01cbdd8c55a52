// Drawing of a window (and its children) stays frozen for a scope, so many
// changes show as one; a failure on the way still thaws it.
#pragma once

#include <windows.h>

class FrozenDrawing {
public:
    explicit FrozenDrawing(HWND window) : locked_(LockWindowUpdate(window) != FALSE) {}
    FrozenDrawing(const FrozenDrawing&) = delete;
    FrozenDrawing& operator=(const FrozenDrawing&) = delete;
    ~FrozenDrawing() {
        if (locked_) LockWindowUpdate(nullptr);
    }

private:
    bool locked_;
};
