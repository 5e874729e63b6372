#include "ui/results_page_widgets.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/messages.h"
#include "ui/ui_fonts.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

constexpr int kButtonRowMargin = 4;

}  // namespace

ResultsPageWidgets BuildResultsPage(QWidget* page) {
  ResultsPageWidgets w;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // 印 刷 sits above the report, at its right, so a scrolled report never runs under it.
  auto* buttonRow = new QHBoxLayout();
  buttonRow->setContentsMargins(0, kButtonRowMargin, kButtonRowMargin * 12, kButtonRowMargin);
  buttonRow->addStretch(1);
  w.printButton = new QPushButton(QStringLiteral("印 刷"), page);
  w.printButton->setObjectName(QStringLiteral("BtnPrint"));
  w.printButton->setFont(MinchoFont(18, true));
  w.printButton->setFixedSize(93, 33);
  w.printButton->setAutoDefault(true);
  buttonRow->addWidget(w.printButton);
  layout->addLayout(buttonRow);

  w.memo = new QPlainTextEdit(page);
  w.memo->setObjectName(QStringLiteral("Memo1"));
  w.memo->setReadOnly(true);
  w.memo->setFont(MinchoFont(18));
  w.memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  w.memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  w.memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // Shown while there is no report: before the first plan, and once the job has changed since.
  w.memo->setPlaceholderText(FromUtf8(message::kNoCurrentPlan));
  layout->addWidget(w.memo);

  w.bottomStrip = new QWidget(page);
  w.bottomStrip->setObjectName(QStringLiteral("Panel3"));
  w.bottomStrip->setFixedHeight(13);
  layout->addWidget(w.bottomStrip);
  // The strip is free: a stopped Run says so there, below its report.
  w.stopNotice = new QLabel(w.bottomStrip);
  w.stopNotice->setObjectName(QStringLiteral("stopNotice"));
  w.stopNotice->setFont(GothicFont(12));
  QPalette palette = w.stopNotice->palette();
  palette.setColor(QPalette::WindowText, Qt::red);
  w.stopNotice->setPalette(palette);
  w.stopNotice->setGeometry(4, 0, 400, 13);

  QWidget::setTabOrder(w.memo, w.printButton);
  return w;
}

}  // namespace yobina
