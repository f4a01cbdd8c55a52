// Counts the workers that still use a shared object, so its owner can tell
// at shutdown whether freeing it is safe. A lease is taken by the thread that
// starts a worker (before the worker runs) and ends with the worker's work.
#pragma once

#include <atomic>
#include <utility>

class ActivityCounter {
public:
    class Lease {
    public:
        Lease() = default;
        explicit Lease(ActivityCounter& counter) : counter_(&counter) { counter_->active_++; }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease(Lease&& other) noexcept : counter_(std::exchange(other.counter_, nullptr)) {}
        Lease& operator=(Lease&& other) noexcept {
            if (this != &other) {
                End();
                counter_ = std::exchange(other.counter_, nullptr);
            }
            return *this;
        }
        ~Lease() { End(); }
        void End() {
            if (counter_) std::exchange(counter_, nullptr)->active_--;
        }

    private:
        ActivityCounter* counter_ = nullptr;
    };

    Lease Acquire() { return Lease(*this); }
    bool Idle() const { return active_.load() == 0; }

private:
    std::atomic<int> active_{0};
};
