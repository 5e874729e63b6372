// Every modal dialog and desktop request of the window goes through this one
// interface, so that tests can answer them without blocking.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "graph/print_device.h"

class QPrinter;
class QUrl;
class QWidget;

namespace yobina {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The job file chosen in the open or save dialog; nothing when cancelled.
  // `start` is the folder, or the file name, the dialog starts at.
  virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& start) = 0;
  virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& start) = 0;

  // A CSV file to read (a parts list, a catalogue, bars on hand), and a folder
  // to write a building's outputs into; nothing when cancelled.
  virtual std::optional<QString> ChooseCsvFile(QWidget* parent, const QString& start) = 0;
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& start) = 0;

  // The print dialog on `printer`: the device the print goes to, over the
  // printer as chosen; none when cancelled.
  virtual std::unique_ptr<PrintDevice> ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;

  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
  // OK / Cancel with OK the default; true for OK.
  virtual bool ConfirmOkCancel(QWidget* parent, const QString& text) = 0;

  // Before unsaved changes would be lost: 保存 (the default) / 保存しない / キャンセル (Esc).
  enum class SaveAnswer { Save, Discard, Cancel };
  virtual SaveAnswer AskToSaveChanges(QWidget* parent, const QString& text) = 0;

  // Hands an address (mailto: or a web page) to the desktop; reports nothing.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs {
 public:
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& start) override;
  std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& start) override;
  std::optional<QString> ChooseCsvFile(QWidget* parent, const QString& start) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& start) override;
  std::unique_ptr<PrintDevice> ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void ShowError(QWidget* parent, const QString& text) override;
  void ShowInformation(QWidget* parent, const QString& text) override;
  bool ConfirmOkCancel(QWidget* parent, const QString& text) override;
  SaveAnswer AskToSaveChanges(QWidget* parent, const QString& text) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace yobina
