// project.json: the whole result in UTF-8, lengths in mm, weights in kg.
#include <nlohmann/json.hpp>

#include "project/project_outputs.h"
#include "project/section_job.h"
#include "text/codec.h"

namespace yobina {
namespace {

using Json = nlohmann::ordered_json;

Json Known(const std::optional<int64_t>& value) {
  return value ? Json(*value) : Json(nullptr);
}

std::string Utf8(const std::string& cp932) {
  return Cp932ToUtf8(cp932);
}

const char* StatusKey(SectionStatus status) {
  switch (status) {
    case SectionStatus::Planned:
      return "planned";
    case SectionStatus::NoPlan:
      return "noPlan";
    case SectionStatus::NotFound:
      return "notFound";
    case SectionStatus::Refused:
      return "refused";
    case SectionStatus::Stopped:
      return "stopped";
  }
  return "";
}

const char* FileKey(InputFile file) {
  switch (file) {
    case InputFile::Parts:
      return "parts";
    case InputFile::Catalogue:
      return "catalogue";
    case InputFile::Stock:
      return "stock";
    case InputFile::Settings:
      return "settings";
  }
  return "";
}

Json PatternsOf(const SectionResult& section) {
  Json patterns = Json::array();
  const TJob& job = section.Job;
  for (int32_t p = 1; p <= section.Exact.Plan.PatternCount; ++p) {
    const TCutPattern& pattern = section.Exact.Plan.Patterns[p];
    Json pieces = Json::array();
    for (int32_t k = 1; k <= job.CutCount; ++k) {
      if (pattern.PieceCount[k] > 0)
        pieces.push_back({{"length", job.CutTable[k].Length}, {"count", pattern.PieceCount[k]}});
    }
    patterns.push_back({{"stockLength", job.StockTable[pattern.StockRow].Length},
                        {"bars", pattern.BarCount},
                        {"leftover", pattern.Leftover},
                        {"pieces", std::move(pieces)}});
  }
  return patterns;
}

Json Optional(const std::optional<double>& value) {
  return value ? Json(*value) : Json(nullptr);
}

// The NC file's header beyond the part's identity.
void AddNcDetail(const PartOrigin& origin, Json& json) {
  const DstvDetail& nc = *origin.Nc;
  json["file"] = Utf8(origin.File);
  json["grade"] = Utf8(nc.Grade);
  json["profile"] = Utf8(nc.Profile);
  json["code"] = nc.Code;
  json["length"] = nc.Length;
  json["sawLength"] = Optional(nc.SawLength);
  json["height"] = Optional(nc.Height);
  json["flangeWidth"] = Optional(nc.FlangeWidth);
  json["flangeThickness"] = Optional(nc.FlangeThickness);
  json["webThickness"] = Optional(nc.WebThickness);
  json["radius"] = Optional(nc.Radius);
  json["unitWeight"] = Optional(nc.UnitWeight);
  json["cutAngles"] = {{"webStart", nc.CutAngles[0]},
                       {"webEnd", nc.CutAngles[1]},
                       {"flangeStart", nc.CutAngles[2]},
                       {"flangeEnd", nc.CutAngles[3]}};
  Json texts = Json::array();
  for (const std::string& text : nc.Texts) texts.push_back(Utf8(text));
  json["texts"] = std::move(texts);
  Json notes = Json::array();
  if (nc.SkewCut()) notes.push_back("斜め切断");
  json["notes"] = std::move(notes);
}

Json PartsOf(const CutRow& row) {
  Json parts = Json::array();
  for (const CutPart& part : row.Parts) {
    Json json = {{"mark", Utf8(part.Mark)},
                 {"order", Utf8(part.Origin.Order)},
                 {"drawing", Utf8(part.Origin.Drawing)},
                 {"phase", Utf8(part.Origin.Phase)},
                 {"count", part.Count}};
    if (part.Origin.Nc) AddNcDetail(part.Origin, json);
    parts.push_back(std::move(json));
  }
  return parts;
}

// Whether any part has a name to carry: a parts list without marks gives none,
// and its project.json stays as it was before parts were listed.
bool AnyNamedPart(const ProjectInput& input) {
  for (const SectionInput& section : input.Sections) {
    for (const CutRow& row : section.Cuts) {
      for (const CutPart& part : row.Parts) {
        const PartOrigin& origin = part.Origin;
        if (!part.Mark.empty() || !origin.File.empty() || !origin.Order.empty() || !origin.Drawing.empty() ||
            !origin.Phase.empty())
          return true;
      }
    }
  }
  return false;
}

Json SectionJson(const ProjectResult& result, size_t s, const SectionResult& section, bool withParts) {
  const SectionInput& input = result.Input.Sections[s];
  Json json;
  json["name"] = Utf8(input.Name);
  json["status"] = StatusKey(section.Status);
  json["proof"] = Utf8(ProofText(result, s));
  json["stockProven"] = section.HasPlan() && section.Exact.Status == ExactStatus::Proven;
  json["costProven"] = section.CostProven;
  json["unitWeight"] = input.UnitWeight ? Json(*input.UnitWeight) : Json(nullptr);
  json["kerf"] = input.Kerf;
  json["margin"] = input.Margin;
  json["pieces"] = input.Pieces();
  if (section.HasPlan()) {
    const SectionFigures figures = FiguresOf(result, s);
    json["stockLength"] = figures.StockMm;
    json["weightKg"] = Known(figures.WeightKg);
    json["yen"] = Known(figures.Yen);
    json["lossRate"] = section.Exact.Plan.LossRate;
    json["boundLossRate"] = section.Exact.BoundLossRate;
    json["gapMeters"] = section.Exact.GapMeters;
  }
  json["jobFile"] = HasJobFile(result, s) ? Json(JobFileName(result, s)) : Json(nullptr);
  json["plansMade"] = section.PlansMade;
  Json notes = Json::array();
  for (const std::string& note : section.Notes) notes.push_back(Utf8(note));
  json["notes"] = std::move(notes);
  Json cuts = Json::array();
  for (const CutRow& row : input.Cuts) {
    Json marks = Json::array();
    for (const std::string& mark : row.Marks) marks.push_back(Utf8(mark));
    Json cut = {{"length", row.Length}, {"count", row.Count}, {"marks", std::move(marks)}};
    if (withParts) cut["parts"] = PartsOf(row);
    cuts.push_back(std::move(cut));
  }
  json["cuts"] = std::move(cuts);
  Json purchase = Json::array();
  for (const PurchaseLine& line : section.Purchase) {
    purchase.push_back({{"length", line.Length},
                        {"bought", line.Bought},
                        {"fromStock", line.FromStock},
                        {"weightKg", Known(line.WeightKg)},
                        {"yen", Known(line.Yen)}});
  }
  json["purchase"] = std::move(purchase);
  json["patterns"] = PatternsOf(section);
  return json;
}

// `text` indented by `spaces` on every line.
std::string Indented(const std::string& text, size_t spaces) {
  const std::string indent(spaces, ' ');
  std::string indented = indent;
  for (const char c : text) {
    indented += c;
    if (c == '\n') indented += indent;
  }
  return indented;
}

}  // namespace

// The pieces are cut from what nlohmann::json::dump(2) makes of the whole
// object, whose last member is the array of the sections.
std::string ProjectJsonHead(const ProjectResult& result) {
  const ProjectSettings& settings = result.Input.Settings;
  Json json;
  json["project"] = Utf8(settings.ProjectName);
  json["settings"] = {{"kerf", settings.Kerf},
                      {"margin", settings.Margin},
                      {"maxLengths", settings.MaxLengths},
                      {"sectionSeconds", settings.SectionSeconds},
                      {"skipBadLines", settings.SkipBadLines}};
  json["stopped"] = result.Stopped;
  Json issues = Json::array();
  for (const LineIssue& issue : result.Input.Issues) {
    if (issue.Source.empty()) {
      issues.push_back({{"file", FileKey(issue.File)}, {"line", issue.Line}, {"reason", Utf8(issue.Reason)}});
    } else {
      issues.push_back(
          {{"file", FileKey(issue.File)}, {"name", Utf8(issue.Source)}, {"reason", Utf8(issue.Reason)}});
    }
  }
  json["skippedLines"] = std::move(issues);
  if (!result.Input.Notes.empty()) {
    Json notes = Json::array();
    for (const std::string& note : result.Input.Notes) notes.push_back(Utf8(note));
    json["notes"] = std::move(notes);
  }
  const PurchaseTotals totals = TotalsOf(result);
  json["totals"] = {{"bars", totals.Bars}, {"weightKg", Known(totals.WeightKg)}, {"yen", Known(totals.Yen)}};
  const std::string head = json.dump(2);
  return head.substr(0, head.size() - 2) + ",\n  \"sections\": [";  // without its "\n}"
}

std::string ProjectJsonSection(const ProjectResult& result, size_t section, const SectionResult& full) {
  const bool withParts = AnyNamedPart(result.Input);
  return (section == 0 ? "\n" : ",\n") + Indented(SectionJson(result, section, full, withParts).dump(2), 4);
}

std::string ProjectJsonTail(const ProjectResult& result) {
  return result.Sections.empty() ? "]\n}\n" : "\n  ]\n}\n";
}

}  // namespace yobina
