#include "recording/component/channel_runtime.h"

#include <algorithm>

namespace tirra::rec {

namespace {
// Columns waiting for the view; older ones are dropped when it does not collect them.
constexpr std::size_t kColumnsKept = 8192;
}  // namespace

PlaybackSlot::~PlaybackSlot() {
  for (PlaybackItem* p : takeAllStopped()) delete p;
}

std::vector<PlaybackItem*> PlaybackSlot::takeAllStopped() {
  std::vector<PlaybackItem*> out;
  if (PlaybackItem* p = pending_.exchange(nullptr)) out.push_back(p);
  if (current_) out.push_back(current_);
  current_ = nullptr;
  while (PlaybackItem* p = takeDone()) out.push_back(p);
  return out;
}

void PlaybackSlot::render(float* dst, std::size_t frames, std::size_t stride) {
  if (PlaybackItem* next = pending_.exchange(nullptr, std::memory_order_acq_rel)) {
    if (current_) {
      current_->replaced = true;
      done_.push(&current_, 1);
    }
    current_ = next;
  }
  if (!current_) return;
  const std::size_t left = current_->samples.size() - current_->pos;
  const std::size_t n = std::min(frames, left);
  const float* src = current_->samples.data() + current_->pos;
  for (std::size_t i = 0; i < n; ++i) dst[i * stride] += src[i];
  current_->pos += n;
  // Finished: hand it back. Should the return ring be full, try again next time.
  if (current_->pos == current_->samples.size() && done_.push(&current_, 1)) current_ = nullptr;
}

ChannelRuntime::ChannelRuntime(TztBird* b) : bird(b) {}

void ChannelRuntime::post(ChannelCommand command) {
  std::lock_guard<std::mutex> lock(mutex_);
  commands_.push_back(std::move(command));
}

ChannelStatus ChannelRuntime::status() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return status_;
}

std::vector<WaveColumn> ChannelRuntime::takeColumns() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<WaveColumn> out;
  out.swap(columns_);
  return out;
}

std::deque<ChannelCommand> ChannelRuntime::takeCommands() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::deque<ChannelCommand> out;
  out.swap(commands_);
  return out;
}

void ChannelRuntime::publish(const ChannelStatus& s, const std::vector<WaveColumn>& newColumns) {
  std::lock_guard<std::mutex> lock(mutex_);
  status_ = s;
  columns_.insert(columns_.end(), newColumns.begin(), newColumns.end());
  if (columns_.size() > kColumnsKept)
    columns_.erase(columns_.begin(), columns_.end() - static_cast<std::ptrdiff_t>(kColumnsKept));
}

}  // namespace tirra::rec
