#include "job/job_document.h"

namespace yobina {

std::string& FieldOf(JobDocument& document, FieldId field) {
  switch (field) {
    case FieldId::Year:
      return document.Year;
    case FieldId::Month:
      return document.Month;
    case FieldId::Day:
      return document.Day;
    case FieldId::ProjectName:
      return document.ProjectName;
    case FieldId::MemberName:
      return document.MemberName;
    case FieldId::UnitWeight:
      return document.UnitWeight;
    case FieldId::Margin:
      return document.Margin;
    case FieldId::Kerf:
      break;
  }
  return document.Kerf;
}

const std::string& FieldOf(const JobDocument& document, FieldId field) {
  return FieldOf(const_cast<JobDocument&>(document), field);
}

std::vector<JobRow>& RowsOf(JobDocument& document, GridId grid) {
  return grid == GridId::Stock ? document.StockRows : document.CutRows;
}

const std::vector<JobRow>& RowsOf(const JobDocument& document, GridId grid) {
  return grid == GridId::Stock ? document.StockRows : document.CutRows;
}

}  // namespace yobina
