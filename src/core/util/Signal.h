#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace corvelle {

// Keeps a subscription alive; unsubscribes when destroyed or reset.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (auto cancel = std::exchange(cancel_, nullptr)) cancel();
    }

private:
    std::function<void()> cancel_;
};

// A single-threaded signal: subscribers are called in subscription order on emit().
// A subscription may outlive the signal; cancelling it then does nothing.
template <typename... Args>
class Signal {
public:
    using Handler = std::function<void(Args...)>;

    Signal() : slots_(std::make_shared<Slots>()) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Subscription subscribe(Handler handler) {
        const auto id = nextId_++;
        (*slots_)[id] = std::move(handler);
        std::weak_ptr<Slots> weak = slots_;
        return Subscription([weak, id] {
            if (auto slots = weak.lock()) slots->erase(id);
        });
    }

    void emit(Args... args) const {
        // Copy so that a handler may subscribe or unsubscribe while we iterate.
        const Slots current = *slots_;
        for (const auto& [id, handler] : current) {
            if (slots_->count(id)) handler(args...);
        }
    }

private:
    using Slots = std::map<std::uint64_t, Handler>;
    std::shared_ptr<Slots> slots_;
    std::uint64_t nextId_ = 0;
};

// A value that notifies its subscribers on every assignment.
template <typename T>
class Published {
public:
    Published() = default;
    explicit Published(T initial) : value_(std::move(initial)) {}

    const T& get() const { return value_; }
    const T& operator*() const { return value_; }
    const T* operator->() const { return &value_; }

    void set(T value) {
        value_ = std::move(value);
        changed_.emit(value_);
    }
    // Changes the value in place and notifies once.
    template <typename Fn>
    void modify(Fn&& fn) {
        fn(value_);
        changed_.emit(value_);
    }

    [[nodiscard]] Subscription subscribe(std::function<void(const T&)> handler) {
        return changed_.subscribe(std::move(handler));
    }

private:
    T value_{};
    Signal<const T&> changed_;
};

}  // namespace corvelle
