#include "cli/cli_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <cmath>

#include "cli/argument_bytes.h"

namespace yobina {
namespace {

constexpr const char* kProgramName = "yobina-cli";

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(ArgumentBytes(text));
}

// What is wrong, in Japanese and then in English.
ParsedCommandLine Failure(const QString& japanese, const QString& english) {
  ParsedCommandLine result;
  result.Todo = ParsedCommandLine::Action::Fail;
  result.Text = QStringLiteral("%1: %2\n%1: %3\n使い方は '%1 --help' で表示します。\nTry '%1 --help'.\n")
                    .arg(kProgramName, japanese, english)
                    .toStdString();
  return result;
}

// The toolkit's parser words its errors in English only.
ParsedCommandLine ParserFailure(const QCommandLineParser& parser) {
  const QString english = parser.errorText();
  if (!parser.unknownOptionNames().isEmpty()) {
    return Failure(QStringLiteral("不明なオプションです: %1")
                       .arg(parser.unknownOptionNames().join(QStringLiteral(", "))),
                   english);
  }
  static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
  static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
  if (const QRegularExpressionMatch match = missing.match(english); match.hasMatch()) {
    return Failure(QStringLiteral("「%1」の後に値がありません。").arg(match.captured(1)), english);
  }
  if (const QRegularExpressionMatch match = unexpected.match(english); match.hasMatch()) {
    return Failure(QStringLiteral("「%1」は値を取りません。").arg(match.captured(1)), english);
  }
  return Failure(QStringLiteral("コマンドラインを解釈できません。"), english);
}

}  // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Runs a cutting job file as the Run button does and writes the report of the results page to stdout.\n"
      "ヨビナデータを「実 行」と同じ手順で計算し、結果ページの報告を標準出力に書きます。\n"
      "With --exact, finds the plan that uses the least stock instead, and says whether it is proven "
      "optimal.\n"
      "--exact では代わりに素材を最も少なく使う計画を求め、最適と証明できたかを報告に書きます。\n"
      "The output files are checked before planning and written all or none; an export may not\n"
      "name the job file, nor two outputs one file (--save may replace the job).\n"
      "出力ファイルは計算の前に確かめ、すべて書くか何も書きません。書き出し先に入力のデータや、\n"
      "二つの出力に同じファイルは指定できません（--save は入力に上書きできます）。\n"
      "Exit status: 0 a plan (with --exact, its plan at its time limit, proven or not);\n"
      "1 no plan (none exists, or --exact found none in its time);\n"
      "2 bad usage, an unreadable job file or list cell, an output that cannot be written (then\n"
      "none is written) or a job --exact refuses;\n"
      "3 the work was cut short, with 中断しました on stderr: a Run that did not finish its\n"
      "trials (--time-limit, Ctrl+C or SIGTERM) or either planner stopped by Ctrl+C or SIGTERM;\n"
      "the report is the best plan so far, if there is one. A second Ctrl+C ends at once.\n"
      "終了コード: 0 計画あり（--exact は制限時間までの計画。証明の有無によらない）、\n"
      "1 計画なし（ヨビナ不能、または --exact が時間内に見つけられなかった）、\n"
      "2 使い方の誤り、読めないデータや数字でないセル、書けない出力（そのときはどの出力も書かない）、\n"
      "または --exact で扱えないデータ、\n"
      "3 中断（標準エラーに「中断しました」）: 試行を終えなかった「実 行」（--time-limit、\n"
      "Ctrl+C、SIGTERM）、または Ctrl+C か SIGTERM で止めた計画。報告はそれまでの最良計画。"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help.\nこのヘルプを表示します。"));
  const QCommandLineOption trials(
      QStringLiteral("trials"),
      QStringLiteral("Run N trials instead of the file's choice (10, 100 or 500).\n"
                     "試行回数をデータの選択に代えて N 回にします。"),
      QStringLiteral("N"));
  const QCommandLineOption exact(
      QStringLiteral("exact"),
      QStringLiteral(
          "Find the plan that uses the least stock and prove it optimal, as the 最 適 化 button does.\n"
          "素材を最も少なく使う計画を求め、最適であることを証明します（「最 適 化」と同じ）。"));
  const QCommandLineOption timeLimit(
      QStringLiteral("time-limit"),
      QStringLiteral(
          "Stop after S seconds with the best plan so far. A Run has no limit unless given, and exits "
          "with 3 when it is reached; --exact has 10 s, its normal budget: a plan it could not prove by "
          "then is reported as unproven, with its gap, and exits with 0.\n"
          "S 秒で打ち切り、それまでの最良計画を報告します（通常は無制限で、打ち切ると終了コード 3。"
          "--exact は既定 10 秒で、証明できなかった計画は「未証明」と報告し、終了コード 0）。"),
      QStringLiteral("S"));
  const QCommandLineOption progress(
      QStringLiteral("progress"),
      QStringLiteral(
          "Write each successful trial's loss rates to stderr; with --exact, each better plan and "
          "each better lower bound.\n"
          "試行ごとのロス率を標準エラーに書きます。--exact では計画と下限が良くなるたびに書きます。"));
  const QCommandLineOption encoding(
      QStringLiteral("encoding"),
      QStringLiteral("Encoding of the report: utf-8 (default) or cp932 (Shift-JIS as stored).\n"
                     "報告の文字コード: utf-8（既定）または cp932（シフトJIS）。"),
      QStringLiteral("utf-8|cp932"), QStringLiteral("utf-8"));
  const QCommandLineOption save(
      QStringLiteral("save"),
      QStringLiteral("Save the job as the Run leaves it (compacted, normalised), plan or not.\n"
                     "計算で整えた入力をファイルに保存します。"),
      QStringLiteral("OUT.qzl"));
  const QCommandLineOption pdf(QStringLiteral("pdf"),
                               QStringLiteral("Print the report to a PDF file.\n報告を PDF に印刷します。"),
                               QStringLiteral("OUT.pdf"));
  const QCommandLineOption diagrams(
      QStringLiteral("diagrams"),
      QStringLiteral("Draw every cutting pattern as a bar to scale, into a PDF file.\n"
                     "切断パターンを棒図にして PDF に書きます。"),
      QStringLiteral("OUT.pdf"));
  const QCommandLineOption csv(QStringLiteral("csv"),
                               QStringLiteral("Write the plan as a table for spreadsheets (UTF-8, CR LF).\n"
                                              "ヨビナ結果を表計算用の CSV に書きます。"),
                               QStringLiteral("OUT.csv"));
  const QCommandLineOption cutList(
      QStringLiteral("cutlist"),
      QStringLiteral(
          "Write the cut list: a line a piece, bar by bar in cutting order, with its mark and what "
          "is left of the bar (UTF-8, CR LF).\n"
          "切断リストを CSV に書きます\n（素材 1 本ずつ切る順に 1 部材 1 行。符号と残りを含む）。"),
      QStringLiteral("OUT.csv"));
  const QCommandLineOption labels(
      QStringLiteral("labels"),
      QStringLiteral("Print a label for every piece in cut-list order, then one for every offcut (with "
                     "--offcut-min), each with a QR code, into a PDF file (A4 sheets of 3 x 8 labels of 70 x "
                     "37 mm).\n"
                     "部材ごとのラベルを切断リストの順に、続けて残材（--offcut-min）の\n"
                     "ラベルを、QR コード付きで PDF に書きます（A4 に 70×37 mm を 3×8 枚）。"),
      QStringLiteral("OUT.pdf"));
  const QCommandLineOption labelSheet(
      QStringLiteral("label-sheet"),
      QStringLiteral("The paper of --labels: a4 (default; sheets of 3 x 8 labels) or single (a 70 x 37 mm "
                     "page a label, for label printers).\n"
                     "--labels の用紙: a4（既定。3×8 枚のラベル用紙）\n"
                     "または single（ラベルプリンタ用。70×37 mm 1 枚が 1 ページ）。"),
      QStringLiteral("a4|single"), QStringLiteral("a4"));
  const QCommandLineOption json(
      QStringLiteral("json"),
      QStringLiteral("Write the plan and its totals as JSON to stdout, instead of "
                     "the report.\nヨビナ結果を報告に代えて JSON で標準出力に書きます。"));
  const QCommandLineOption offcutMin(
      QStringLiteral("offcut-min"),
      QStringLiteral("Keep leftovers of at least MM mm as offcuts; shorter ones are scrap. 0 (default) is "
                     "off. The report then adds the offcuts, the scrap and a list of the offcuts, and "
                     "--exact takes the least scrap among the plans of least stock.\n"
                     "MM mm 以上の残りを残材、短いものを端材とします（0 は使わない。既定）。\n"
                     "報告に残材・端材と残材リストが加わり、\n"
                     "--exact は最少の素材のうち端材が最も少ない計画を選びます。"),
      QStringLiteral("MM"));
  const QCommandLineOption offcuts(QStringLiteral("offcuts"),
                                   QStringLiteral("The offcut inventory to use (default: the user's, "
                                                  "$XDG_DATA_HOME/yobina/offcuts.sqlite3).\n"
                                                  "使う残材在庫のファイル（既定: ユーザーの在庫）。"),
                                   QStringLiteral("FILE"));
  const QCommandLineOption takeOffcuts(
      QStringLiteral("take-offcuts"),
      QStringLiteral("Before planning, put the inventory's offcuts of the job's member name (部材名) into "
                     "the free stock rows; stderr says how many did not fit. With --save or --keep-offcuts "
                     "the inventory records them for the job; a job they were taken into already is "
                     "refused (exit status 2). With --project, every section's offcuts become its bars "
                     "on hand.\n"
                     "計算の前に、部材名が同じ在庫の残材を素材リストの空き行に加えます。\n"
                     "入らなかった分は標準エラーに書きます。--save か --keep-offcuts があれば\n"
                     "取り込みを在庫に記録し、取り込み済みのデータには取り込みません（終了コード 2）。\n"
                     "--project では各部材の手持ちになります。"));
  const QCommandLineOption keepOffcuts(
      QStringLiteral("keep-offcuts"),
      QStringLiteral("After planning, in one transaction: add the plan's offcuts to the inventory and remove "
                     "the taken offcuts the plan cuts (also those a saved job was given by --take-offcuts "
                     "--save); stderr lists the changes. Refused, changing nothing, when those offcuts "
                     "were changed meanwhile or the same plan was kept before (exit status 2) or the "
                     "planning was cut short (3).\n"
                     "計算の後、一つのトランザクションで計画の残材を在庫に加え、\n"
                     "使った残材を在庫から除きます（--take-offcuts --save で保存したデータの残材も）。\n"
                     "変更は標準エラーに書きます。その間に在庫が変わっていたとき、\n"
                     "同じ計画を記録済みのとき（終了コード 2）、\n"
                     "または計算を中断したとき（3）は何も変えません。"));
  const QCommandLineOption listOffcuts(
      QStringLiteral("list-offcuts"),
      QStringLiteral("Write the inventory as CSV to stdout (UTF-8, CR LF; 部材名,長さ,本数,出所,登録日, "
                     "and 鋼種,溶鋼番号,ミルシート番号 once some offcut has them), without a job file.\n"
                     "残材在庫を CSV で標準出力に書きます（鋼種・溶鋼番号・ミルシート番号の\n"
                     "ある残材があればその列も。ヨビナデータは指定しません）。"));
  const QCommandLineOption importCut(
      QStringLiteral("import-cut"),
      QStringLiteral(
          "Before planning, replace the job's cut list with the rows of a CSV file in the parts "
          "list's columns (長さ, 本数; a 部材名 column must hold one section, which becomes the "
          "member name when the job has none), up to 35 rows. A bad line, more rows or more "
          "sections refuse it (exit status 2). --save writes the job with it.\n"
          "計算の前に、切断リストを CSV ファイルの行で置き換えます（部品表と同じ列: 長さ、本数。\n"
          "部材名の列があれば一つの部材だけで、データに部材名がなければそれを部材名にします）。\n"
          "35 行まで。読めない行、それより多い行、二つ以上の部材は受け付けません（終了コード 2）。\n"
          "--save で読み込んだ内容を保存します。"),
      QStringLiteral("CUT.csv"));
  const QCommandLineOption importStock(
      QStringLiteral("import-stock"),
      QStringLiteral("The same for the stock list.\n素材リストを同じように CSV ファイルの行で置き換えます。"),
      QStringLiteral("STOCK.csv"));
  const QCommandLineOption stockTrace(
      QStringLiteral("stock-trace"),
      QStringLiteral(
          "The steel of the stock list's bars, from a CSV file: 行 (the row, from 1, as the job gives "
          "it or --import-stock replaces it), 長さ (optional: must be that row's length), 鋼種, 溶鋼番号, "
          "ミルシート番号. The cut list and labels show the heat number of every bar of those rows, and "
          "--keep-offcuts passes the steel on to the offcuts left of them. A bad line refuses the file "
          "(exit status 2).\n"
          "素材リストの行ごとの鋼材を CSV ファイルで与えます: 行（1 から。データの行、\n"
          "--import-stock ではその行）、長さ（省略可。その行の長さと同じこと）、鋼種、溶鋼番号、\n"
          "ミルシート番号。切断リストとラベルにその行の素材の溶鋼番号を書き、\n"
          "--keep-offcuts はそれを残材に引き継ぎます。読めない行があれば受け付けません（終了コード 2）。"),
      QStringLiteral("TRACE.csv"));
  parser.addOptions({help,        trials,    exact,       timeLimit, progress,    encoding,
                     save,        pdf,       diagrams,    csv,       cutList,     labels,
                     labelSheet,  json,      offcutMin,   offcuts,   takeOffcuts, keepOffcuts,
                     listOffcuts, importCut, importStock, stockTrace});
  const ProjectCommandLine projectLine;
  parser.addOptions(projectLine.Options());
  parser.addPositionalArgument(QStringLiteral("job"),
                               QStringLiteral("The job file to run.\n計算するヨビナデータ。"),
                               QStringLiteral("JOB.qzl"));

  if (!parser.parse(arguments)) return ParserFailure(parser);
  if (parser.isSet(help)) {
    ParsedCommandLine result;
    result.Todo = ParsedCommandLine::Action::ShowHelp;
    result.Text = parser.helpText().replace(QStringLiteral("<executable_name>"), kProgramName).toStdString();
    return result;
  }

  const QStringList positional = parser.positionalArguments();
  const bool building = projectLine.Asked(parser);
  if (!building) {
    if (const std::optional<OptionFault> fault = projectLine.Stray(parser))
      return Failure(fault->Japanese, fault->English);
  }
  if (building && !positional.isEmpty())
    return Failure(QStringLiteral("--project にはヨビナデータを指定しません。"),
                   QStringLiteral("--project takes no job file"));
  if (!building && parser.isSet(listOffcuts)) {
    if (!positional.isEmpty() || parser.isSet(takeOffcuts) || parser.isSet(keepOffcuts) ||
        parser.isSet(importCut) || parser.isSet(importStock) || parser.isSet(stockTrace)) {
      return Failure(QStringLiteral("--list-offcuts はヨビナデータや他の残材の操作と一緒に使えません。"),
                     QStringLiteral("--list-offcuts takes no job file and no other offcut action"));
    }
    ParsedCommandLine result;
    result.Todo = ParsedCommandLine::Action::Run;
    result.Options.ListOffcuts = true;
    if (parser.isSet(offcuts)) result.Options.OffcutsFile = ToPath(parser.value(offcuts));
    return result;
  }
  if (!building && positional.size() != 1)
    return Failure(
        QStringLiteral("ヨビナデータを一つ指定してください（指定: %1 個）。").arg(positional.size()),
        QStringLiteral("expected one job file, got %1").arg(positional.size()));

  ParsedCommandLine result;
  result.Todo = ParsedCommandLine::Action::Run;
  CliOptions& options = result.Options;
  if (!building) options.JobFile = ToPath(positional.front());
  if (parser.isSet(trials)) {
    bool ok = false;
    const int n = parser.value(trials).toInt(&ok);
    if (!ok || n < 1) {
      return Failure(QStringLiteral("--trials には 1 以上の整数を指定してください。"),
                     QStringLiteral("--trials needs a whole number of at least 1"));
    }
    options.Trials = n;
  }
  options.Exact = parser.isSet(exact);
  if (options.Exact && options.Trials) {
    return Failure(QStringLiteral("--trials は --exact と一緒に使えません。"),
                   QStringLiteral("--trials does not go with --exact"));
  }
  if (parser.isSet(timeLimit)) {
    bool ok = false;
    const double seconds = parser.value(timeLimit).toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds <= 0) {
      return Failure(QStringLiteral("--time-limit には 0 より大きい秒数を指定してください。"),
                     QStringLiteral("--time-limit needs a number of seconds above 0"));
    }
    options.TimeLimitSeconds = seconds;
  }
  if (building) {
    for (const QCommandLineOption* single :
         {&trials, &exact, &save, &pdf, &diagrams, &csv, &cutList, &labels, &labelSheet, &json, &offcutMin,
          &keepOffcuts, &listOffcuts, &importCut, &importStock, &stockTrace}) {
      if (!parser.isSet(*single)) continue;
      const QString name = single->names().front();
      return Failure(QStringLiteral("--%1 は --project と一緒に使えません。").arg(name),
                     QStringLiteral("--%1 does not go with --project").arg(name));
    }
    options.Project.emplace();
    if (const std::optional<OptionFault> fault =
            projectLine.Read(parser, options.TimeLimitSeconds, *options.Project))
      return Failure(fault->Japanese, fault->English);
    options.Project->TakeOffcuts = parser.isSet(takeOffcuts);
    if (parser.isSet(offcuts)) options.Project->OffcutsFile = ToPath(parser.value(offcuts));
    return result;
  }
  options.Progress = parser.isSet(progress);
  const QString encodingName = parser.value(encoding).toLower();
  if (encodingName == QStringLiteral("utf-8") || encodingName == QStringLiteral("utf8")) {
    options.Encoding = OutputEncoding::Utf8;
  } else if (encodingName == QStringLiteral("cp932") || encodingName == QStringLiteral("shift_jis")) {
    options.Encoding = OutputEncoding::Cp932;
  } else {
    return Failure(QStringLiteral("--encoding には utf-8 か cp932 を指定してください。"),
                   QStringLiteral("--encoding is utf-8 or cp932"));
  }
  if (parser.isSet(importCut)) options.ImportCut = ToPath(parser.value(importCut));
  if (parser.isSet(importStock)) options.ImportStock = ToPath(parser.value(importStock));
  if (parser.isSet(stockTrace)) options.StockTrace = ToPath(parser.value(stockTrace));
  if (parser.isSet(save)) options.SaveFile = ToPath(parser.value(save));
  if (parser.isSet(pdf)) options.PdfFile = ToPath(parser.value(pdf));
  if (parser.isSet(diagrams)) options.DiagramsFile = ToPath(parser.value(diagrams));
  if (parser.isSet(csv)) options.CsvFile = ToPath(parser.value(csv));
  if (parser.isSet(cutList)) options.CutListFile = ToPath(parser.value(cutList));
  if (parser.isSet(labels)) options.LabelsFile = ToPath(parser.value(labels));
  const QString sheetName = parser.value(labelSheet).toLower();
  if (sheetName != QStringLiteral("a4") && sheetName != QStringLiteral("single")) {
    return Failure(QStringLiteral("--label-sheet には a4 か single を指定してください。"),
                   QStringLiteral("--label-sheet is a4 or single"));
  }
  options.SingleLabels = sheetName == QStringLiteral("single");
  options.Json = parser.isSet(json);
  if (parser.isSet(offcutMin)) {
    bool ok = false;
    const int mm = parser.value(offcutMin).toInt(&ok);
    if (!ok || mm < 0) {
      return Failure(QStringLiteral("--offcut-min には 0 以上の整数 (mm) を指定してください。"),
                     QStringLiteral("--offcut-min needs a whole number of mm, 0 or more"));
    }
    options.OffcutMin = mm;
  }
  if (parser.isSet(offcuts)) options.OffcutsFile = ToPath(parser.value(offcuts));
  options.TakeOffcuts = parser.isSet(takeOffcuts);
  options.KeepOffcuts = parser.isSet(keepOffcuts);
  return result;
}

}  // namespace yobina
