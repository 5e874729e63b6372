// The undo history of the input page. Every edit of the page becomes one step
// that holds the job before and after it: changes that come in one go (a
// paste, a cleared list, a dragged row) make one step, and typing into one
// cell or field makes one step until the user edits elsewhere. Commands that
// rewrite the page (CLR, merge, sort, paste) wrap their work in Step() so they
// never merge with typing.
//
// The page tells of its changes through NoteChange(); they become a step once
// control returns to the event loop, or at once through Settle(). Undo and
// redo write a job back onto the page and then send `restored`.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "job/job_document.h"

class QUndoStack;

namespace yobina {

class PageHistory : public QObject {
  Q_OBJECT
 public:
  using Reader = std::function<JobDocument()>;
  using Writer = std::function<void(const JobDocument&)>;
  PageHistory(Reader read, Writer write, QObject* parent);

  // `element` changed (a cell's or field's name; empty: a change that
  // never merges with the next one).
  void NoteChange(const QString& element);
  // The changes noted so far become a step.
  void Settle();
  // Runs a command that rewrites the page; what it changed is one step of its own.
  void Step(const std::function<void()>& command);
  // The page holds another job (opened, brought back, the first one): the history starts again.
  void Reset();
  // The page was tidied without a change the user would undo (a planner's
  // start; Settle() first): the page as it is now is where the last step ends.
  void Rebase();

  // Changes not yet a step count: they are what an undo takes back first.
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();

 signals:
  void restored();
  // CanUndo or CanRedo may have changed.
  void stateChanged();

 private:
  friend class PageEdit;
  void Apply(const JobDocument& document);

  Reader read_;
  Writer write_;
  QUndoStack* stack_;
  QTimer settleTimer_;
  JobDocument base_;  // the page as the last step left it
  QString pendingElement_;
  bool pending_ = false;
  bool pendingMixed_ = false;
  bool restoring_ = false;
};

}  // namespace yobina
