#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/argument_bytes.h"

namespace yobina {
namespace {

ParsedCommandLine Parse(const QStringList& arguments) {
  return ParseCommandLine(QStringList{"yobina-cli"} + arguments);
}

TEST(CliOptions, FullCommandLine) {
  const ParsedCommandLine parsed = Parse({"job.qzl", "--trials", "42", "--progress", "--encoding", "CP932",
                                          "--save", "out.qzl", "--pdf", "out.pdf"});
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::Run) << parsed.Text;
  EXPECT_EQ(parsed.Options.JobFile, "job.qzl");
  EXPECT_EQ(parsed.Options.Trials, 42);
  EXPECT_TRUE(parsed.Options.Progress);
  EXPECT_EQ(parsed.Options.Encoding, OutputEncoding::Cp932);
  EXPECT_EQ(parsed.Options.SaveFile, "out.qzl");
  EXPECT_EQ(parsed.Options.PdfFile, "out.pdf");
}

TEST(CliOptions, ExactWithATimeLimit) {
  const ParsedCommandLine parsed = Parse({"job.qzl", "--exact", "--time-limit", "2.5"});
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::Run) << parsed.Text;
  EXPECT_TRUE(parsed.Options.Exact);
  EXPECT_EQ(parsed.Options.TimeLimitSeconds, 2.5);
  EXPECT_EQ(Parse({"job.qzl", "--time-limit", "1"}).Options.TimeLimitSeconds, 1.0);  // bounds a Run too
}

TEST(CliOptions, Defaults) {
  const ParsedCommandLine parsed = Parse({"job.qzl"});
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::Run);
  EXPECT_FALSE(parsed.Options.Trials);
  EXPECT_FALSE(parsed.Options.Progress);
  EXPECT_EQ(parsed.Options.Encoding, OutputEncoding::Utf8);
  EXPECT_FALSE(parsed.Options.SaveFile);
  EXPECT_FALSE(parsed.Options.PdfFile);
  EXPECT_FALSE(parsed.Options.Exact);
  EXPECT_FALSE(parsed.Options.TimeLimitSeconds);
}

TEST(CliOptions, BadUsage) {
  const QStringList cases[] = {
      {},
      {"a.qzl", "b.qzl"},
      {"job.qzl", "--trials", "0"},
      {"job.qzl", "--trials", "ten"},
      {"job.qzl", "--trials"},
      {"job.qzl", "--encoding", "latin1"},
      {"job.qzl", "--verbose"},
      {"job.qzl", "--time-limit", "0"},
      {"job.qzl", "--time-limit", "-1"},
      {"job.qzl", "--time-limit", "inf"},
      {"job.qzl", "--time-limit", "nan"},
      {"job.qzl", "--time-limit", "soon"},
      {"job.qzl", "--exact", "--trials", "10"},
      {"job.qzl", "--labels", "l.pdf", "--label-sheet", "a5"},
      {"--project", "parts.csv", "--out", "b", "--cutlist", "c.csv"},
  };
  for (const QStringList& arguments : cases) {
    const ParsedCommandLine parsed = Parse(arguments);
    EXPECT_EQ(parsed.Todo, ParsedCommandLine::Action::Fail) << arguments.join(' ').toStdString();
    EXPECT_NE(parsed.Text.find("--help"), std::string::npos);
    // Japanese first, then the English line.
    const std::string firstLine = parsed.Text.substr(0, parsed.Text.find('\n'));
    EXPECT_TRUE(std::any_of(firstLine.begin(), firstLine.end(), [](char c) { return c & 0x80; }))
        << firstLine;
    EXPECT_NE(parsed.Text.find("\nyobina-cli: "), std::string::npos) << parsed.Text;
  }
}

// Shift-JIS names from Windows archives, and bytes that are no text at all.
TEST(CliOptions, FileNamesKeepTheirBytes) {
  const std::string shiftJis = "\x83\x65\x83\x58\x83\x67.qzl";  // テスト
  const std::string utf8 = "\xE9\x89\x84\xE9\xAA\xA8.qzl";      // 鉄骨
  const std::string odd = "\xED\xB2\x80\xFF\xC0\xAF\xF0\x9F\x94\xA9";
  char program[] = "yobina-cli";
  std::string job = shiftJis, save = "--save=" + odd, pdf = utf8;
  char* argv[] = {program, job.data(), save.data(), const_cast<char*>("--pdf"), pdf.data()};
  const ParsedCommandLine parsed = ParseCommandLine(ArgumentsFromArgv(5, argv));
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::Run) << parsed.Text;
  EXPECT_EQ(parsed.Options.JobFile.native(), shiftJis);
  EXPECT_EQ(parsed.Options.SaveFile->native(), odd);
  EXPECT_EQ(parsed.Options.PdfFile->native(), utf8);
  EXPECT_EQ(ArgumentFromBytes(utf8), QString::fromUtf8("鉄骨.qzl"));
}

TEST(CliOptions, HelpInBothLanguagesNamesEveryOption) {
  const ParsedCommandLine parsed = Parse({"--help"});
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::ShowHelp);
  for (const char* text : {"Usage: yobina-cli", "--trials", "--exact", "--time-limit", "--progress",
                           "--encoding", "--save", "--pdf", "Run N trials", "試行回数", "報告"}) {
    EXPECT_NE(parsed.Text.find(text), std::string::npos) << text;
  }
}

TEST(CliOptions, ExportOptions) {
  const ParsedCommandLine parsed = Parse({"job.qzl", "--diagrams", "d.pdf", "--csv", "p.csv", "--json"});
  ASSERT_EQ(parsed.Todo, ParsedCommandLine::Action::Run) << parsed.Text;
  EXPECT_EQ(parsed.Options.DiagramsFile, "d.pdf");
  EXPECT_EQ(parsed.Options.CsvFile, "p.csv");
  EXPECT_TRUE(parsed.Options.Json);
  EXPECT_FALSE(Parse({"job.qzl"}).Options.Json);

  const ParsedCommandLine shop =
      Parse({"job.qzl", "--cutlist", "c.csv", "--labels", "l.pdf", "--label-sheet", "Single"});
  ASSERT_EQ(shop.Todo, ParsedCommandLine::Action::Run) << shop.Text;
  EXPECT_EQ(shop.Options.CutListFile, "c.csv");
  EXPECT_EQ(shop.Options.LabelsFile, "l.pdf");
  EXPECT_TRUE(shop.Options.SingleLabels);
  EXPECT_FALSE(Parse({"job.qzl", "--labels", "l.pdf"}).Options.SingleLabels);
}

}  // namespace
}  // namespace yobina
