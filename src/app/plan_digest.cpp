#include "app/plan_digest.h"

#include <cstdint>

namespace yobina {
namespace {

__extension__ using Uint128 = unsigned __int128;

class CanonicalBytes {
 public:
  explicit CanonicalBytes(std::string_view tag) { Text(tag); }
  void Integer(int64_t value) {
    for (int i = 0; i < 8; ++i)
      bytes_.push_back(static_cast<char>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF));
  }
  void Text(std::string_view text) {
    Integer(static_cast<int64_t>(text.size()));
    bytes_.append(text);
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

void AddJob(CanonicalBytes& out, const JobDocument& document) {
  for (FieldId field : kAllFields) out.Text(FieldOf(document, field));
  out.Integer(document.TrialIndex);
  for (GridId grid : kAllGrids) {
    const std::vector<JobRow>& rows = RowsOf(document, grid);
    out.Integer(static_cast<int64_t>(rows.size()));
    for (const JobRow& row : rows) {
      out.Text(row.Length);
      out.Text(row.Count);
    }
  }
}

}  // namespace

std::string Fnv1a128(std::string_view bytes) {
  const Uint128 prime = (Uint128{1} << 88) + 0x13B;
  Uint128 hash = (Uint128{0x6C62272E07BB0142} << 64) + 0x62B821756295C58D;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= prime;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(32, '0');
  for (int i = 31; i >= 0; --i, hash >>= 4)
    text[static_cast<std::size_t>(i)] = kHex[static_cast<int>(hash & 0xF)];
  return text;
}

std::string JobDigest(const JobDocument& document) {
  CanonicalBytes bytes("yobina job 1");
  AddJob(bytes, document);
  return Fnv1a128(bytes.Bytes());
}

std::string PlanDigest(const PlanResult& result) {
  CanonicalBytes bytes("yobina plan 1");
  AddJob(bytes, result.Document);
  bytes.Integer(result.Document.OffcutMin);
  const Plan& plan = result.Plan;
  bytes.Integer(plan.PatternCount());
  for (int32_t p = 1; p <= plan.PatternCount(); ++p) {
    const TCutPattern& pattern = plan.Pattern(p);
    bytes.Integer(plan.StockLengthOf(pattern));
    bytes.Integer(pattern.BarCount);
    bytes.Integer(plan.CutRowCount());
    for (int32_t r = 1; r <= plan.CutRowCount(); ++r) {
      bytes.Integer(plan.CutRow(r).Length);
      bytes.Integer(pattern.PieceCount[static_cast<std::size_t>(r)]);
    }
  }
  return Fnv1a128(bytes.Bytes());
}

}  // namespace yobina
