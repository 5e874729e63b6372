#include "ui/page_history.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

namespace yobina {

// One step: the page before and after it.
class PageEdit : public QUndoCommand {
 public:
  PageEdit(PageHistory& history, JobDocument before, JobDocument after, QString element)
      : history_(history),
        before_(std::move(before)),
        after_(std::move(after)),
        element_(std::move(element)) {}

  // Only typing into one element merges; its steps all share this id.
  int id() const override { return element_.isEmpty() ? -1 : 1; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const PageEdit*>(other);
    if (sealed_ || next->element_ != element_ || next->before_ != after_) return false;
    after_ = next->after_;
    return true;
  }
  void undo() override { history_.Apply(before_); }
  void redo() override {
    // Pushed after the page changed: only a later redo writes it.
    if (std::exchange(pushed_, true)) history_.Apply(after_);
  }

  const JobDocument& After() const { return after_; }
  // Ends where the page was tidied, and takes no later typing in.
  void SealAt(JobDocument after) {
    after_ = std::move(after);
    sealed_ = true;
  }

 private:
  PageHistory& history_;
  JobDocument before_;
  JobDocument after_;
  QString element_;
  bool pushed_ = false;
  bool sealed_ = false;
};

PageHistory::PageHistory(Reader read, Writer write, QObject* parent)
    : QObject(parent), read_(std::move(read)), write_(std::move(write)), stack_(new QUndoStack(this)) {
  settleTimer_.setSingleShot(true);
  settleTimer_.setInterval(0);
  connect(&settleTimer_, &QTimer::timeout, this, &PageHistory::Settle);
  connect(stack_, &QUndoStack::indexChanged, this, &PageHistory::stateChanged);
}

bool PageHistory::CanUndo() const {
  return pending_ || stack_->canUndo();
}

bool PageHistory::CanRedo() const {
  return !pending_ && stack_->canRedo();
}

void PageHistory::NoteChange(const QString& element) {
  if (restoring_) return;
  if (!pending_) {
    pending_ = true;
    pendingMixed_ = false;
    pendingElement_ = element;
    emit stateChanged();
  } else if (element != pendingElement_) {
    pendingMixed_ = true;
  }
  settleTimer_.start();
}

void PageHistory::Settle() {
  settleTimer_.stop();
  if (!pending_) return;
  pending_ = false;
  JobDocument now = read_();
  if (now == base_) {
    emit stateChanged();
    return;
  }
  const QString element = pendingMixed_ ? QString() : pendingElement_;
  stack_->push(new PageEdit(*this, std::exchange(base_, now), now, element));
}

void PageHistory::Step(const std::function<void()>& command) {
  Settle();
  command();
  pending_ = true;
  pendingMixed_ = true;
  Settle();
}

void PageHistory::Reset() {
  settleTimer_.stop();
  pending_ = false;
  stack_->clear();
  base_ = read_();
  emit stateChanged();
}

void PageHistory::Rebase() {
  settleTimer_.stop();
  pending_ = false;
  JobDocument now = read_();
  const int top = stack_->index() - 1;
  // A redo of the last step comes back to the tidied page.
  if (top >= 0 && top == stack_->count() - 1) {
    if (auto* last = const_cast<PageEdit*>(static_cast<const PageEdit*>(stack_->command(top)));
        last->After() == base_) {
      last->SealAt(now);
    }
  }
  base_ = std::move(now);
}

void PageHistory::Undo() {
  Settle();
  stack_->undo();
}

void PageHistory::Redo() {
  Settle();
  stack_->redo();
}

void PageHistory::Apply(const JobDocument& document) {
  restoring_ = true;
  write_(document);
  restoring_ = false;
  settleTimer_.stop();
  pending_ = false;
  base_ = read_();
  emit restored();
}

}  // namespace yobina
