#include "cli/project_options.h"

#include "cli/argument_bytes.h"

namespace yobina {
namespace {

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(ArgumentBytes(text));
}

// A whole number from `least` to `most`, or what is wrong with it.
std::optional<OptionFault> ReadWhole(const QString& text, const QString& name, int32_t least, int32_t most,
                                     int32_t& value) {
  bool ok = false;
  const int number = text.toInt(&ok);
  if (ok && number >= least && number <= most) {
    value = number;
    return std::nullopt;
  }
  return OptionFault{
      QStringLiteral("%1 には %2 から %3 までの整数を指定してください。").arg(name).arg(least).arg(most),
      QStringLiteral("%1 needs a whole number from %2 to %3").arg(name).arg(least).arg(most)};
}

}  // namespace

ProjectCommandLine::ProjectCommandLine()
    : parts_(
          QStringLiteral("project"),
          QStringLiteral(
              "Plan a whole building from its parts list (CSV) or a folder of DSTV NC files (every "
              "*.nc1 and *.nc in it, one part a file): every section as one job, the steel "
              "to buy as purchase.csv, summary.csv, project.json, project.pdf and a job file a "
              "section, written into --out as one run; --time-limit S caps each section (10 s). "
              "Exit status: 0 every section has a plan; 1 some have none (the others are written); "
              "2 bad input; 3 stopped (nothing written).\n"
              "部品表（CSV）または DSTV の NC ファイル（*.nc1, *.nc、1 ファイル 1 部材）のフォルダから"
              "建物全体を計画し、購入リストなどを --out のフォルダに書きます"
              "（--time-limit S は部材ごとの上限、既定 10 秒）。"
              "終了コード: 0 全部材に計画あり、1 計画のない部材あり、2 入力の誤り、3 中断（何も書かない）。"),
          QStringLiteral("PARTS")),
      catalogue_(
          QStringLiteral("catalogue"),
          QStringLiteral("With --project: the lengths that can be bought, with prices (CSV). Default: 6000 "
                         "to 12000 mm in 500 mm steps, unpriced (the least steel is bought).\n"
                         "購入できる定尺と価格（CSV）。既定は 6000～12000mm の 500mm "
                         "刻みで価格なし（鋼材が最少の購入）。"),
          QStringLiteral("CAT.csv")),
      stock_(
          QStringLiteral("stock"),
          QStringLiteral("With --project: bars on hand (CSV, as the parts list), used before bought ones.\n"
                         "手持ちの素材（部品表と同じ形の CSV）。購入材より先に使います。"),
          QStringLiteral("STOCK.csv")),
      maxLengths_(QStringLiteral("max-lengths"),
                  QStringLiteral("With --project: buy at most K different lengths of each section.\n"
                                 "部材ごとに購入する定尺を K 種類までにします。"),
                  QStringLiteral("K")),
      kerf_(QStringLiteral("kerf"),
            QStringLiteral(
                "With --project: mm lost at every cut, unless the catalogue gives a section's own (0).\n"
                "切断代（mm、既定 0）。定尺表に部材ごとの値があればそちら。"),
            QStringLiteral("MM")),
      margin_(
          QStringLiteral("margin"),
          QStringLiteral("With --project: mm every bar may be overrun by, unless the catalogue says (0).\n"
                         "余裕（mm、既定 0）。定尺表に部材ごとの値があればそちら。"),
          QStringLiteral("MM")),
      skipBadLines_(
          QStringLiteral("skip-bad-lines"),
          QStringLiteral("With --project: plan without the bad lines of the inputs instead of refusing "
                         "them (they are still listed on stderr).\n"
                         "入力の誤った行を除いて計画します（誤りは標準エラーに表示）。")),
      ncLength_(
          QStringLiteral("nc-length"),
          QStringLiteral("With --project and an NC folder: the length cut from a bar, saw (the file's saw "
                         "length where it gives one, else its length; the default) or length (always the "
                         "length); rounded up to the whole mm.\n"
                         "NC フォルダの部材の切断長さ: saw（のこ長さがあればそれ、なければ長さ。既定）"
                         "か length（常に長さ）。mm 未満は切り上げます。"),
          QStringLiteral("saw|length")),
      out_(QStringLiteral("out"),
           QStringLiteral("With --project: the folder to write into (made when missing).\n"
                          "--project の出力フォルダ（なければ作ります）。"),
           QStringLiteral("DIR")) {}

QList<QCommandLineOption> ProjectCommandLine::Options() const {
  return {parts_, catalogue_, stock_, maxLengths_, kerf_, margin_, skipBadLines_, ncLength_, out_};
}

bool ProjectCommandLine::Asked(const QCommandLineParser& parser) const {
  return parser.isSet(parts_);
}

std::optional<OptionFault> ProjectCommandLine::Stray(const QCommandLineParser& parser) const {
  for (const QCommandLineOption& option : Options()) {
    if (parser.isSet(option)) {
      const QString name = QStringLiteral("--") + option.names().front();
      return OptionFault{QStringLiteral("%1 は --project と一緒に使います。").arg(name),
                         QStringLiteral("%1 goes with --project").arg(name)};
    }
  }
  return std::nullopt;
}

std::optional<OptionFault> ProjectCommandLine::Read(const QCommandLineParser& parser,
                                                    std::optional<double> timeLimit,
                                                    ProjectOptions& options) const {
  options.PartsFile = ToPath(parser.value(parts_));
  if (parser.isSet(catalogue_)) options.CatalogueFile = ToPath(parser.value(catalogue_));
  if (parser.isSet(stock_)) options.StockFile = ToPath(parser.value(stock_));
  // As the project's settings allow: kerf and margin to 999 mm, no more lengths than a section may hold.
  if (parser.isSet(maxLengths_)) {
    if (auto fault =
            ReadWhole(parser.value(maxLengths_), QStringLiteral("--max-lengths"), 1, 100, options.MaxLengths))
      return fault;
  }
  if (parser.isSet(kerf_)) {
    if (auto fault = ReadWhole(parser.value(kerf_), QStringLiteral("--kerf"), 0, 999, options.Kerf))
      return fault;
  }
  if (parser.isSet(margin_)) {
    if (auto fault = ReadWhole(parser.value(margin_), QStringLiteral("--margin"), 0, 999, options.Margin))
      return fault;
  }
  if (timeLimit) options.SectionSeconds = *timeLimit;
  options.SkipBadLines = parser.isSet(skipBadLines_);
  if (parser.isSet(ncLength_)) {
    const QString length = parser.value(ncLength_);
    if (length != QStringLiteral("saw") && length != QStringLiteral("length"))
      return OptionFault{QStringLiteral("--nc-length には saw か length を指定してください。"),
                         QStringLiteral("--nc-length needs saw or length")};
    options.NcLengthChoice = length == QStringLiteral("saw") ? NcLength::Saw : NcLength::Length;
  }
  if (!parser.isSet(out_))
    return OptionFault{QStringLiteral("--project には出力フォルダ --out を指定してください。"),
                       QStringLiteral("--project needs an output folder, --out DIR")};
  options.OutFolder = ToPath(parser.value(out_));
  return std::nullopt;
}

}  // namespace yobina
