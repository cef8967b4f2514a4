// Posting from signal handlers: a bounded lock-free ring that any number of producers (signal
// handlers, other threads) fill and the main thread drains into its queue, plus an event
// descriptor that wakes the main thread's wait. Producers use only atomics and write(2).

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <ctime>

#include "PlatformState.h"

namespace {

// Each slot carries a sequence number telling whose turn it is: a producer may fill slot
// (position % size) when its sequence equals the position, the consumer may read it when the
// sequence equals position + 1; the consumer then hands it to the producers of the next round.
// A slot stores its sequence minus its index, so that every slot starts at zero.
class SignalRing {
 public:
  static constexpr uint32_t Size = 256;

  bool Push(const MSG& msg) {
    uint32_t position = pushPosition_.load(std::memory_order_relaxed);
    for (;;) {
      Slot& slot = slots_[position % Size];
      uint32_t sequence = slot.Sequence(position % Size, std::memory_order_acquire);
      auto lead = static_cast<int32_t>(sequence - position);
      if (lead == 0) {
        if (pushPosition_.compare_exchange_weak(position, position + 1,
                                                std::memory_order_relaxed)) {
          slot.Message = msg;
          slot.SetSequence(position % Size, position + 1);
          return true;
        }
      } else if (lead < 0) {
        return false;  // full
      } else {
        position = pushPosition_.load(std::memory_order_relaxed);
      }
    }
  }

  // Main thread only. Whether a message is ready to be popped: one atomic load, so that the queue
  // can be polled before every step of a busy loop without a system call.
  bool HasReady() const {
    uint32_t index = popPosition_ % Size;
    return slots_[index].Sequence(index, std::memory_order_acquire) == popPosition_ + 1;
  }

  // Main thread only.
  bool Pop(MSG& msg) {
    uint32_t index = popPosition_ % Size;
    Slot& slot = slots_[index];
    if (slot.Sequence(index, std::memory_order_acquire) != popPosition_ + 1) {
      return false;  // empty, or the next producer has not finished writing
    }
    msg = slot.Message;
    slot.SetSequence(index, popPosition_ + Size);
    ++popPosition_;
    return true;
  }

 private:
  struct Slot {
    std::atomic<uint32_t> Stored{0};  // sequence - index, wrapping
    MSG Message{};

    uint32_t Sequence(uint32_t index, std::memory_order order) const {
      return Stored.load(order) + index;
    }
    void SetSequence(uint32_t index, uint32_t sequence) {
      Stored.store(sequence - index, std::memory_order_release);
    }
  };
  static_assert(std::atomic<uint32_t>::is_always_lock_free);

  std::array<Slot, Size> slots_{};
  std::atomic<uint32_t> pushPosition_{0};
  uint32_t popPosition_ = 0;
};

constinit SignalRing ring;

// Opened when the library is loaded, so that a signal handler never has to create it.
const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);

void ClearWakeUps() {
  uint64_t count = 0;
  while (wakeFd >= 0 && read(wakeFd, &count, sizeof count) > 0) {
  }
}

}  // namespace

BOOL PlatformPostMessageFromSignal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  int savedErrno = errno;
  MSG msg = {hwnd, message, wParam, lParam, 0, {0, 0}};
  bool pushed = ring.Push(msg);
  if (pushed && wakeFd >= 0) {
    uint64_t one = 1;
    ssize_t written = write(wakeFd, &one, sizeof one);
    (void)written;  // a full counter already means "wake up"
  }
  errno = savedErrno;
  return pushed ? TRUE : FALSE;
}

namespace platform {

// The wake-up counter is read only when the ring holds something; a wake-up left over from a
// message drained earlier is cleared by the next wait instead.
void DrainSignalRing() {
  if (!ring.HasReady()) {
    return;
  }
  ClearWakeUps();  // before draining: a post after this point writes again
  MSG msg;
  auto& queue = GetState().Queue;
  while (ring.Pop(msg)) {
    msg.time = GetTickCount();
    queue.push_back(msg);
  }
}

void DiscardSignalRing() {
  ClearWakeUps();
  MSG msg;
  while (ring.Pop(msg)) {
  }
}

void WaitForWakeUp(std::optional<Clock::time_point> deadline) {
  timespec timeout{};
  if (deadline) {
    auto remaining = std::max(*deadline - Clock::now(), Clock::duration::zero());
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(remaining);
    timeout.tv_sec = static_cast<time_t>(seconds.count());
    timeout.tv_nsec = static_cast<long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(remaining - seconds).count());
  }
  pollfd wake = {wakeFd, POLLIN, 0};
  // EINTR is a wake-up too: the signal handler may just have posted.
  ppoll(&wake, wakeFd >= 0 ? 1 : 0, deadline ? &timeout : nullptr, nullptr);
  // A wake-up whose message was drained before the wait would end every later wait at once.
  if ((wake.revents & POLLIN) != 0) {
    ClearWakeUps();
  }
}

}  // namespace platform
