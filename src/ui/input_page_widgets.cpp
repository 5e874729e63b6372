#include "ui/input_page_widgets.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/ui_fonts.h"
#include "ui/ui_text.h"

namespace yobina {
namespace {

constexpr int kPlanButtonGap = 5;  // between 実 行 and 最 適 化

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int left, int top, const QFont& font,
                 const QColor& color = Qt::black) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->move(left, top);
  label->adjustSize();
  return label;
}

TEditField* AddEdit(QWidget* parent, FieldId id, QRect geometry) {
  const FieldElement& element = ElementOf(id);
  auto* edit = new TEditField(element.Format.Code(), element.ByteLimit, parent);
  edit->setObjectName(ElementName(element.Key));
  edit->setGeometry(geometry);
  // Flat: a single line instead of a sunken frame.
  edit->setFrame(false);
  edit->setStyleSheet(
      QStringLiteral("QLineEdit { border: 1px solid #000000; background: #ffffff; "
                     "padding: 0px 1px; }"));
  return edit;
}

QToolButton* AddToolButton(QWidget* parent, const char* name, QRect geometry) {
  auto* button = Named(new QToolButton(parent), name);
  button->setGeometry(geometry);
  button->setFocusPolicy(Qt::NoFocus);  // tool buttons never take the focus
  return button;
}

// A curved arrow turning back above a dashed line: "bring back the last Run's input".
QPixmap ReloadPicture() {
  QPixmap picture(24, 24);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(0, 0, 128), 2.0);
  painter.setPen(pen);
  QPainterPath arc;
  arc.moveTo(5, 13);
  arc.cubicTo(5, 3, 19, 3, 19, 11);
  arc.lineTo(19, 14);
  painter.drawPath(arc);
  painter.setBrush(QColor(0, 0, 128));
  painter.drawPolygon(QPolygonF({QPointF(1, 11), QPointF(9, 11), QPointF(5, 17)}));
  QPen dashed(Qt::black, 2.0, Qt::DashLine);
  painter.setPen(dashed);
  painter.drawLine(QPointF(2, 21), QPointF(22, 21));
  return picture;
}

TStringGrid* AddGrid(QWidget* parent, GridId id, QRect geometry, int countColumnWidth) {
  std::vector<int> formatCodes;
  for (const GridColumnElement& column : kGridColumnElements) formatCodes.push_back(column.Format.Code());
  auto* grid = new TStringGrid(kGridDataRows, std::move(formatCodes), parent);
  grid->setObjectName(ElementName(KeyOf(id)));
  grid->setGeometry(geometry);
  grid->setFont(GothicFont(20));
  grid->horizontalHeader()->setFont(GothicFont(20));
  grid->verticalHeader()->setFont(GothicFont(20));
  grid->verticalHeader()->setFixedWidth(36);
  grid->verticalHeader()->setDefaultSectionSize(26);
  grid->horizontalHeader()->setFixedHeight(26);
  grid->setColumnWidth(0, 70);
  grid->setColumnWidth(1, countColumnWidth);
  grid->setShowGrid(true);
  return grid;
}

}  // namespace

TEditField* InputPageWidgets::Field(FieldId id) const {
  // In the order of FieldId.
  TEditField* const fields[] = {year, month, day, projectName, memberName, unitWeight, margin, kerf};
  static_assert(sizeof fields / sizeof fields[0] == kFieldElements.size());
  return fields[static_cast<std::size_t>(id)];
}

TStringGrid* InputPageWidgets::Grid(GridId id) const {
  return id == GridId::Stock ? stockGrid : cutGrid;
}

QString ElementName(std::string_view key) {
  return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

QStringList GridHeadings() {
  QStringList headings;
  for (const GridColumnElement& column : kGridColumnElements)
    headings.push_back(FromUtf8(column.HeadingUtf8));
  return headings;
}

QString TabCaption(const TabElement& tab) {
  return FromUtf8(tab.CaptionUtf8);
}

QString LossLabelCaption() {
  return QStringLiteral("　ロス率");
}

QString NoLossRateCaption() {
  return QStringLiteral("・・・・・");
}

InputPageWidgets BuildInputPage(QWidget* page) {
  InputPageWidgets w;
  w.panel = Named(new QWidget(page), "Panel2");
  auto* fill = new QVBoxLayout(page);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(w.panel);
  w.panel->setFont(MinchoFont(17));
  QWidget* p = w.panel;
  const QFont heading = MinchoFont(18, true);

  w.reloadButton = AddToolButton(p, "SpeedButton1", QRect(0, 13, 28, 28));
  w.reloadButton->setIcon(QIcon(ReloadPicture()));
  w.reloadButton->setIconSize(QSize(24, 24));
  w.reloadButton->setToolTip(QStringLiteral("前回の実行時の入力に戻す"));
  w.clearStockButton = AddToolButton(p, "btnClr1", QRect(40, 14, 36, 28));
  w.clearCutButton = AddToolButton(p, "btnClr2", QRect(240, 14, 36, 28));
  for (QToolButton* clear : {w.clearStockButton, w.clearCutButton}) {
    clear->setText(QStringLiteral("CLR"));
    clear->setFont(heading);
  }
  AddLabel(p, "Label1", QStringLiteral("素材リスト"), 88, 20, heading, Qt::blue);
  AddLabel(p, "Label2", QStringLiteral("切断リスト"), 288, 20, heading, Qt::blue);

  w.stockGrid = AddGrid(p, GridId::Stock, QRect(4, 44, 195, 357), 61);
  w.cutGrid = AddGrid(p, GridId::Cut, QRect(208, 44, 198, 357), 64);

  AddLabel(p, "Label9", QStringLiteral("作成　 　　年 　 月　  日"), 453, 20, p->font());
  w.year = AddEdit(p, FieldId::Year, QRect(490, 17, 54, 23));
  w.month = AddEdit(p, FieldId::Month, QRect(565, 17, 34, 23));
  w.day = AddEdit(p, FieldId::Day, QRect(617, 17, 34, 23));
  AddLabel(p, "Label8", QStringLiteral("工 事 名"), 416, 72, p->font());
  w.projectName = AddEdit(p, FieldId::ProjectName, QRect(490, 70, 293, 23));
  AddLabel(p, "Label6", QStringLiteral("部 材 名"), 416, 116, p->font());
  w.memberName = AddEdit(p, FieldId::MemberName, QRect(490, 114, 293, 23));
  AddLabel(p, "Label7", QStringLiteral("単位重量　　　　　 (Kg/ｍ)"), 416, 144, p->font());
  w.unitWeight = AddEdit(p, FieldId::UnitWeight, QRect(490, 140, 82, 23));
  AddLabel(p, "Label4", QStringLiteral("素材の余裕     (mm)"), 439, 236, p->font());
  w.margin = AddEdit(p, FieldId::Margin, QRect(529, 233, 40, 23));
  AddLabel(p, "Label5", QStringLiteral("切り代     (mm)"), 635, 236, p->font());
  w.kerf = AddEdit(p, FieldId::Kerf, QRect(691, 233, 40, 23));

  QStringList trialItems;
  for (std::string_view item : kTrialCountElement.ItemsUtf8) trialItems.push_back(FromUtf8(item));
  w.trialCount = new TRadioGroup(FromUtf8(kTrialCountElement.TitleUtf8), trialItems, p);
  w.trialCount->setObjectName(ElementName(kTrialCountElement.Key));
  w.trialCount->setGeometry(424, 268, 357, 61);
  w.trialCount->SetItemIndex(kTrialCountElement.DefaultIndex);

  w.trialLossLabel = AddLabel(p, "lbZhi", LossLabelCaption(), 416, 356, heading, Qt::black);
  w.bestLossLabel = AddLabel(p, "lbZhiMin", NoLossRateCaption(), 508, 356, heading, Qt::blue);
  // A trial's label, "%7.3f %%  (%d)", is longer than the room before the best
  // rate: it ends there, so the two rates stay readable while a Run works.
  w.trialLossLabel->setFixedWidth(w.bestLossLabel->x() - w.trialLossLabel->x());

  // 実 行 and, below it, 最 適 化: a column at the Run button's place.
  w.planButtons = Named(new QWidget(p), "planButtons");
  auto* column = new QVBoxLayout(w.planButtons);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(kPlanButtonGap);
  w.runButton = Named(new QPushButton(QStringLiteral("実 行"), w.planButtons), "Button1");
  w.optimizeButton = Named(new QPushButton(QStringLiteral("最 適 化"), w.planButtons), "btnExact");
  for (QPushButton* button : {w.runButton, w.optimizeButton}) {
    button->setFixedSize(75, 33);
    button->setFont(heading);
    button->setAutoDefault(true);  // Enter on the focused button starts its planner
    column->addWidget(button);
  }
  w.planButtons->move(684, 344);
  w.planButtons->adjustSize();

  AddLabel(p, "Label3", QStringLiteral("※5000mm未満の素材は優先的に使用します。"), 12, 412, GothicFont(17));

  w.runProgress = Named(new RunProgressDisplay(page), "runProgress");
  w.runProgress->setGeometry(416, 388, 260, 24);

  // The date fields sit in the gaps of their label.
  for (QWidget* edit :
       {static_cast<QWidget*>(w.year), static_cast<QWidget*>(w.month), static_cast<QWidget*>(w.day)}) {
    edit->raise();
  }

  QWidget* const order[] = {w.year,
                            w.month,
                            w.day,
                            w.projectName,
                            w.memberName,
                            w.unitWeight,
                            w.margin,
                            w.kerf,
                            w.trialCount->Button(0),
                            w.trialCount->Button(1),
                            w.trialCount->Button(2),
                            w.runButton,
                            w.optimizeButton,
                            w.stockGrid,
                            w.cutGrid};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  return w;
}

}  // namespace yobina
