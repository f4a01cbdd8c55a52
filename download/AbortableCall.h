// Runs a blocking call that cannot be interrupted (name resolution) on a
// helper thread, so the caller can walk away from it when aborted.
#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "Connection.h"

template <typename Result>
Result RunAbortable(std::function<Result()> work, const TAbortSignal& abort) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done_changed;
        std::optional<Result> result;
        std::exception_ptr error;
        bool done = false;
    };
    auto shared = std::make_shared<Shared>();
    // The helper owns its share of the state, so an abandoned call may finish
    // whenever it likes.
    std::thread([shared, work = std::move(work)] {
        std::optional<Result> result;
        std::exception_ptr error;
        try {
            result.emplace(work());
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        shared->error = error;
        shared->done = true;
        shared->done_changed.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    while (!shared->done) {
        abort.ThrowIfAborted();
        shared->done_changed.wait_for(lock, std::chrono::milliseconds(20));
    }
    if (shared->error) std::rethrow_exception(shared->error);
    return std::move(*shared->result);
}
