#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace corvelle {

// Fixed-capacity ring of the most recent values, read oldest first.
template <typename T>
class HistoryBuffer {
public:
    explicit HistoryBuffer(int capacity) : capacity_(capacity > 0 ? capacity : 1) {
        assert(capacity > 0);
        buffer_.reserve(static_cast<size_t>(capacity_));
    }

    void append(T value) {
        if (static_cast<int>(buffer_.size()) == capacity_) {
            buffer_[static_cast<size_t>(writeIndex_)] = std::move(value);
            isFull_ = true;
        } else {
            buffer_.push_back(std::move(value));
        }
        writeIndex_ = (writeIndex_ + 1) % capacity_;
    }

    // Oldest first. The rotated form is needed only once a value has been overwritten.
    std::vector<T> elements() const {
        if (!isFull_ || writeIndex_ == 0) return buffer_;
        std::vector<T> ordered(buffer_.begin() + writeIndex_, buffer_.end());
        ordered.insert(ordered.end(), buffer_.begin(), buffer_.begin() + writeIndex_);
        return ordered;
    }

    const std::vector<T>& buffer() const { return buffer_; }
    int writeIndex() const { return writeIndex_; }
    int capacity() const { return capacity_; }
    bool isFull() const { return isFull_; }

private:
    std::vector<T> buffer_;
    int writeIndex_ = 0;
    int capacity_;
    bool isFull_ = false;
};

}  // namespace corvelle
