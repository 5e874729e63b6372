#include "project/section_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "file/io_error.h"
#include "file/readable_name.h"

namespace yobina {
namespace {

// Every field of SectionResult is written: a field added there must be added here too.
class Writer {
 public:
  template <typename T>
  void Raw(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  void Text(const std::string& text) {
    Raw(static_cast<uint64_t>(text.size()));
    bytes_ += text;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  template <typename T>
  void Raw(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(&value, Take(sizeof value).data(), sizeof value);
  }
  template <typename T>
  T Get() {
    T value{};
    Raw(value);
    return value;
  }
  std::string Text() {
    const auto size = Get<uint64_t>();
    return std::string(Take(size));
  }

 private:
  std::string_view Take(uint64_t size) {
    if (size > bytes_.size()) throw IoError("一時ファイルが壊れています。");
    const std::string_view taken = bytes_.substr(0, size);
    bytes_.remove_prefix(size);
    return taken;
  }
  std::string_view bytes_;
};

std::string Encode(const SectionResult& result) {
  Writer out;
  out.Raw(result.Status);
  const ExactResult& exact = result.Exact;
  out.Raw(exact.Status);
  const TCutPlan& plan = exact.Plan;
  out.Raw(plan.PatternCount);
  for (const double figure :
       {plan.MemberLength, plan.StockLength, plan.LeftoverLength, plan.LeftoverRate, plan.LossRate})
    out.Raw(figure);
  for (int32_t p = 0; p <= plan.PatternCount; ++p) out.Raw(plan.Patterns[static_cast<size_t>(p)]);
  out.Raw(exact.BoundLossRate);
  out.Raw(exact.GapMeters);
  out.Raw(exact.WithoutShortFirst.has_value());
  out.Raw(exact.WithoutShortFirst.value_or(ReferenceFigure{}));
  out.Raw(exact.Setups);
  out.Raw(exact.ScrapProven.has_value());
  out.Raw(exact.ScrapProven.value_or(false));
  out.Text(exact.Message);
  out.Raw(result.Job);
  out.Raw(static_cast<uint64_t>(result.Purchase.size()));
  for (const PurchaseLine& line : result.Purchase) {
    out.Raw(line.Length);
    out.Raw(line.Bought);
    out.Raw(line.FromStock);
    out.Raw(line.WeightKg.has_value());
    out.Raw(line.WeightKg.value_or(0));
    out.Raw(line.Yen.has_value());
    out.Raw(line.Yen.value_or(0));
  }
  out.Raw(result.CostProven);
  out.Raw(static_cast<uint64_t>(result.Notes.size()));
  for (const std::string& note : result.Notes) out.Text(note);
  out.Raw(result.PlansMade);
  out.Raw(result.Seconds);
  return out.Bytes();
}

template <typename T>
std::optional<T> Optional(Reader& in) {
  const bool has = in.Get<bool>();
  const T value = in.Get<T>();
  return has ? std::optional<T>(value) : std::nullopt;
}

SectionResult Decode(std::string_view bytes) {
  Reader in(bytes);
  SectionResult result;
  in.Raw(result.Status);
  ExactResult& exact = result.Exact;
  in.Raw(exact.Status);
  TCutPlan& plan = exact.Plan;
  in.Raw(plan.PatternCount);
  if (plan.PatternCount < 0 || plan.PatternCount > kMaxPatterns)
    throw IoError("一時ファイルが壊れています。");
  for (double* figure :
       {&plan.MemberLength, &plan.StockLength, &plan.LeftoverLength, &plan.LeftoverRate, &plan.LossRate})
    in.Raw(*figure);
  for (int32_t p = 0; p <= plan.PatternCount; ++p) in.Raw(plan.Patterns[static_cast<size_t>(p)]);
  in.Raw(exact.BoundLossRate);
  in.Raw(exact.GapMeters);
  exact.WithoutShortFirst = Optional<ReferenceFigure>(in);
  in.Raw(exact.Setups);
  exact.ScrapProven = Optional<bool>(in);
  exact.Message = in.Text();
  in.Raw(result.Job);
  const auto lines = in.Get<uint64_t>();
  for (uint64_t i = 0; i < lines; ++i) {
    PurchaseLine line;
    in.Raw(line.Length);
    in.Raw(line.Bought);
    in.Raw(line.FromStock);
    line.WeightKg = Optional<int64_t>(in);
    line.Yen = Optional<int64_t>(in);
    result.Purchase.push_back(line);
  }
  in.Raw(result.CostProven);
  const auto notes = in.Get<uint64_t>();
  for (uint64_t i = 0; i < notes; ++i) result.Notes.push_back(in.Text());
  in.Raw(result.PlansMade);
  in.Raw(result.Seconds);
  return result;
}

// A file in `folder` that has no name; made and unlinked where the file
// system cannot make one without.
int NamelessFile(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  std::string name = (folder / ".yobina-sections-XXXXXX").string();
  const int made = ::mkostemp(name.data(), O_CLOEXEC);
  if (made >= 0) ::unlink(name.c_str());
  return made;
}

}  // namespace

SectionStore::SectionStore(const std::filesystem::path& folder, size_t sections)
    : folder_(ReadableFileName(folder)), fd_(NamelessFile(folder)), records_(sections) {
  if (fd_ < 0) Fail(errno);
}

void SectionStore::Fail(int errorNumber) const {
  throw IoError(folder_ + ": " + PlatformErrorText(errorNumber));
}

SectionStore::~SectionStore() {
  ::close(fd_);
}

void SectionStore::Put(size_t section, const SectionResult& result) {
  const std::string bytes = Encode(result);
  const std::lock_guard<std::mutex> lock(mutex_);
  std::string_view left = bytes;
  int64_t at = end_;
  while (!left.empty()) {
    const ssize_t n = ::pwrite(fd_, left.data(), left.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    left.remove_prefix(static_cast<size_t>(n));
    at += n;
  }
  records_.at(section) = {end_, static_cast<int64_t>(bytes.size())};
  end_ = at;
}

bool SectionStore::Has(size_t section) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return section < records_.size() && records_[section].Offset >= 0;
}

SectionResult SectionStore::Get(size_t section) const {
  Record record;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    record = records_.at(section);
  }
  if (record.Offset < 0) return SectionResult{};
  std::string bytes(static_cast<size_t>(record.Size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd_, bytes.data() + done, bytes.size() - done, record.Offset + static_cast<int64_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    if (n == 0) Fail(EIO);
    done += static_cast<size_t>(n);
  }
  return Decode(bytes);
}

}  // namespace yobina
