#pragma once
// A single-producer, single-consumer ring of samples: the audio callback writes, the
// recording worker reads. Neither side locks or allocates once it is built, so the
// callback can never be held up by the worker, a disk or the window.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tirra::rec {

template <typename T>
class SpscRing {
 public:
  // Capacity is rounded up to a power of two so that positions wrap with a mask.
  explicit SpscRing(std::size_t minCapacity) {
    std::size_t cap = 1;
    while (cap < minCapacity) cap <<= 1;
    capacity_ = cap;
    mask_ = cap - 1;
    data_ = std::make_unique<T[]>(cap);
  }
  SpscRing(const SpscRing&) = delete;
  SpscRing& operator=(const SpscRing&) = delete;

  std::size_t capacity() const { return capacity_; }

  // Producer side. Writes all n items or none: a block that does not fit is dropped
  // whole and counted, so what the consumer sees has no torn blocks.
  bool push(const T* items, std::size_t n) {
    const std::size_t w = write_.load(std::memory_order_relaxed);
    const std::size_t r = read_.load(std::memory_order_acquire);
    if (capacity_ - (w - r) < n) {
      dropped_.fetch_add(n, std::memory_order_relaxed);
      return false;
    }
    for (std::size_t i = 0; i < n; ++i) data_[(w + i) & mask_] = items[i];
    write_.store(w + n, std::memory_order_release);
    return true;
  }

  // Producer side, for interleaved device buffers: item i is src[i * stride].
  bool pushStrided(const T* src, std::size_t n, std::size_t stride) {
    const std::size_t w = write_.load(std::memory_order_relaxed);
    const std::size_t r = read_.load(std::memory_order_acquire);
    if (capacity_ - (w - r) < n) {
      dropped_.fetch_add(n, std::memory_order_relaxed);
      return false;
    }
    for (std::size_t i = 0; i < n; ++i) data_[(w + i) & mask_] = src[i * stride];
    write_.store(w + n, std::memory_order_release);
    return true;
  }

  // Consumer side: items ready to read.
  std::size_t available() const {
    return write_.load(std::memory_order_acquire) - read_.load(std::memory_order_relaxed);
  }

  // Consumer side: copies up to n items out; returns how many.
  std::size_t pop(T* out, std::size_t n) {
    const std::size_t r = read_.load(std::memory_order_relaxed);
    const std::size_t w = write_.load(std::memory_order_acquire);
    const std::size_t count = (w - r) < n ? (w - r) : n;
    for (std::size_t i = 0; i < count; ++i) out[i] = data_[(r + i) & mask_];
    read_.store(r + count, std::memory_order_release);
    return count;
  }

  // Consumer side: throws away everything written so far.
  void discardAll() { read_.store(write_.load(std::memory_order_acquire), std::memory_order_release); }

  // Items the producer had to drop because the ring was full (any thread may read).
  std::uint64_t dropped() const { return dropped_.load(std::memory_order_relaxed); }

 private:
  std::size_t capacity_ = 0;
  std::size_t mask_ = 0;
  std::unique_ptr<T[]> data_;
  // Producer and consumer positions on their own cache lines.
  alignas(64) std::atomic<std::size_t> write_{0};
  alignas(64) std::atomic<std::size_t> read_{0};
  alignas(64) std::atomic<std::uint64_t> dropped_{0};
};

}  // namespace tirra::rec
