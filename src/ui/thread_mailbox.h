// Hands calls from a worker thread to the thread the mailbox lives on, where
// they run one by one in the order posted. The calls pass through a standard
// mutex, so ThreadSanitizer sees the hand-off that Qt's own event queue,
// built without it, would hide.
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace yobina {

class ThreadMailbox : public QObject {
  Q_OBJECT
 public:
  explicit ThreadMailbox(QObject* parent = nullptr);

  // From any thread. Calls still waiting when the mailbox goes never run.
  void Post(std::function<void()> call);

 signals:
  void posted();

 private:
  void Deliver();

  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
};

}  // namespace yobina
