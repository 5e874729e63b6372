// Answers the window's dialogs from queues the test fills, and records what
// the window showed, so that no test ever blocks on a modal dialog.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "print/qt_print_device.h"
#include "support/recording_print_device.h"
#include "ui/dialogs.h"

namespace yobina::test {

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    QString
        kind;  // "error", "information", "confirm", "save changes", "open", "save", "csv", "folder", "print"
    QString text;
  };

  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<std::optional<QString>> csvAnswers;
  std::deque<std::optional<QString>> folderAnswers;
  std::deque<bool> confirmAnswers;
  // Unasked, unsaved changes are discarded, as the window did before it asked.
  std::deque<SaveAnswer> saveChangesAnswers;
  // Empty: the print dialog is cancelled; else the printer writes a PDF there.
  QString printToPdf;
  // Instead: every print is recorded, call by call, into `prints`.
  bool recordPrints = false;
  std::vector<std::vector<RecordedCall>> prints;
  std::vector<Shown> shown;
  std::vector<QUrl> urls;
  QStringList startFolders;
  QStringList printNames;  // the document name each print dialog was shown with

  std::optional<QString> ChooseOpenFile(QWidget* /*parent*/, const QString& start) override {
    shown.push_back({"open", start});
    startFolders << start;
    return Next(openAnswers);
  }
  std::optional<QString> ChooseSaveFile(QWidget* /*parent*/, const QString& start) override {
    shown.push_back({"save", start});
    startFolders << start;
    return Next(saveAnswers);
  }
  std::optional<QString> ChooseCsvFile(QWidget* /*parent*/, const QString& start) override {
    shown.push_back({"csv", start});
    return Next(csvAnswers);
  }
  std::optional<QString> ChooseFolder(QWidget* /*parent*/, const QString& start) override {
    shown.push_back({"folder", start});
    return Next(folderAnswers);
  }
  std::unique_ptr<PrintDevice> ChoosePrinter(QWidget* /*parent*/, QPrinter& printer) override {
    shown.push_back({"print", {}});
    printNames << printer.docName();
    if (recordPrints) return std::make_unique<KeptRecording>(prints.emplace_back());
    if (printToPdf.isEmpty()) return nullptr;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    printer.setCopyCount(3);  // a PDF gets its copies drawn into it
    return std::make_unique<QtPrintDevice>(printer);
  }
  void ShowError(QWidget* /*parent*/, const QString& text) override { shown.push_back({"error", text}); }
  void ShowInformation(QWidget* /*parent*/, const QString& text) override {
    shown.push_back({"information", text});
  }
  bool ConfirmOkCancel(QWidget* /*parent*/, const QString& text) override {
    shown.push_back({"confirm", text});
    if (confirmAnswers.empty()) return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }
  SaveAnswer AskToSaveChanges(QWidget* /*parent*/, const QString& text) override {
    shown.push_back({"save changes", text});
    if (saveChangesAnswers.empty()) return SaveAnswer::Discard;
    const SaveAnswer answer = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return answer;
  }
  void OpenUrl(const QUrl& url) override { urls.push_back(url); }

  QStringList Kinds() const {
    QStringList kinds;
    for (const Shown& s : shown) kinds << s.kind;
    return kinds;
  }
  QStringList Texts(const QString& kind) const {
    QStringList texts;
    for (const Shown& s : shown) {
      if (s.kind == kind) texts << s.text;
    }
    return texts;
  }

 private:
  // A recording device that leaves its calls behind when the window is done with it.
  class KeptRecording : public RecordingPrintDevice {
   public:
    explicit KeptRecording(std::vector<RecordedCall>& kept) : kept_(kept) {}
    ~KeptRecording() override { kept_ = Calls(); }

   private:
    std::vector<RecordedCall>& kept_;
  };

  // An unexpected dialog is cancelled, and the test sees it in `shown`.
  static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    // Copies the text, not the optional: GCC 12 misreads the optional's copy as uninitialised.
    const bool answered = answers.front().has_value();
    const QString text = answered ? *answers.front() : QString();
    answers.pop_front();
    return answered ? std::optional<QString>(text) : std::nullopt;
  }
};

}  // namespace yobina::test
