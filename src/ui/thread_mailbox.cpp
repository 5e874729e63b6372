#include "ui/thread_mailbox.h"

#include <utility>

namespace yobina {

ThreadMailbox::ThreadMailbox(QObject* parent) : QObject(parent) {
  connect(this, &ThreadMailbox::posted, this, &ThreadMailbox::Deliver, Qt::QueuedConnection);
}

void ThreadMailbox::Post(std::function<void()> call) {
  {
    const std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }
  emit posted();
}

void ThreadMailbox::Deliver() {
  // One at a time: a call that opens a modal dialog lets the later ones run
  // from its event loop, still in order.
  for (;;) {
    std::function<void()> call;
    {
      const std::lock_guard lock(mutex_);
      if (calls_.empty()) return;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    call();
  }
}

}  // namespace yobina
