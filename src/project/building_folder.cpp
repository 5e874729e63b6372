#include "project/building_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <sstream>
#include <system_error>
#include <utility>

#include "file/data_file.h"
#include "file/file_key.h"
#include "file/io_error.h"
#include "file/readable_name.h"
#include "project/section_shop.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLockName = ".yobina-lock";
constexpr const char* kManifestName = ".yobina-manifest";
constexpr std::string_view kStagingPrefix = ".yobina-staging-";
constexpr std::string_view kManifestTitle = "yobina building folder";
constexpr const char* kBusyText = "出力フォルダは別の計画が書いています";
// Tries at taking the lock while other runs end and remove its file.
constexpr int kLockAttempts = 20;

std::string FileText(const fs::path& file, std::string_view what) {
  return ReadableFileName(file) + ": " + std::string(what);
}

[[noreturn]] void Fail(const fs::path& file, int errorNumber) {
  throw IoError(FileText(file, PlatformErrorText(errorNumber)));
}

// A name the manifest may list: one file right in the folder, not one of the run's own.
bool PlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos && name != kLockName && name != kManifestName &&
         !name.starts_with(kStagingPrefix);
}

int64_t ModifiedNs(const struct stat& info) {
  return static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

void WriteAll(int fd, std::string_view bytes, const fs::path& shown) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(shown, errno);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

int CreateFile(const fs::path& file, const fs::path& shown) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) Fail(shown, errno);
  return fd;
}

void CloseFile(int fd, const fs::path& shown) {
  if (::close(fd) != 0 && errno != EINTR) Fail(shown, errno);
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: what it orders is already written
  ::close(fd);
}

// The replaced file's owner (where allowed) and permission bits; best effort.
void CopyOwnerAndMode(const fs::path& staged, const struct stat& existing) {
  if (::chown(staged.c_str(), existing.st_uid, existing.st_gid) != 0) {
    [[maybe_unused]] const int ignored = ::chown(staged.c_str(), static_cast<uid_t>(-1), existing.st_gid);
  }
  ::chmod(staged.c_str(), existing.st_mode & 07777);
}

// What may not be replaced, as the file layer words it; none when it may.
std::optional<int> Unreplaceable(const fs::path& target, struct stat& existing, bool& isFile) {
  isFile = false;
  if (::lstat(target.c_str(), &existing) != 0) return errno == ENOENT ? std::nullopt : std::optional(errno);
  if (S_ISLNK(existing.st_mode)) return std::nullopt;  // the link is replaced
  if (S_ISDIR(existing.st_mode)) return EISDIR;
  if (!S_ISREG(existing.st_mode)) return -1;
  isFile = true;
  // A file without any write permission is read-only for everyone, as a save treats it.
  if ((existing.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return EACCES;
  return std::nullopt;
}

// project.json as it is made, a section at a time.
class StreamedFile {
 public:
  StreamedFile(const fs::path& file, fs::path shown)
      : shown_(std::move(shown)), fd_(CreateFile(file, shown_)) {}
  ~StreamedFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  StreamedFile(const StreamedFile&) = delete;
  StreamedFile& operator=(const StreamedFile&) = delete;

  void Write(std::string_view bytes) {
    buffer_ += bytes;
    if (buffer_.size() >= kFlushBytes) Flush();
  }
  void Close() {
    Flush();
    const int fd = std::exchange(fd_, -1);
    CloseFile(fd, shown_);
  }

 private:
  static constexpr size_t kFlushBytes = 1 << 20;
  void Flush() {
    WriteAll(fd_, buffer_, shown_);
    buffer_.clear();
  }
  fs::path shown_;
  int fd_;
  std::string buffer_;
};

}  // namespace

BuildingFolder::BuildingFolder(fs::path folder) : folder_(std::move(folder)) {
  if (folder_.empty()) folder_ = ".";
  std::error_code error;
  made_ = fs::create_directories(folder_, error);
  if (error) Fail(folder_, error.value());
  try {
    Lock();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
      const std::string name = entry.path().filename().string();
      std::error_code ignored;
      if (name.starts_with(kStagingPrefix) && entry.is_directory(ignored) && !entry.is_symlink(ignored))
        fs::remove_all(entry.path(), ignored);  // a killed run's
    }
    ReadManifest();
    std::string staging = (folder_ / kStagingPrefix).string() + "XXXXXX";
    if (::mkdtemp(staging.data()) == nullptr) Fail(folder_, errno);
    staging_ = staging;
  } catch (...) {
    Unlock();
    if (made_) fs::remove(folder_, error);
    throw;
  }
}

BuildingFolder::~BuildingFolder() {
  std::error_code ignored;
  if (!staging_.empty()) fs::remove_all(staging_, ignored);
  Unlock();
  if (made_ && !committed_) fs::remove(folder_, ignored);  // only when empty
}

void BuildingFolder::Lock() {
  const fs::path file = folder_ / kLockName;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) Fail(folder_, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int failure = errno;
      ::close(fd);
      if (failure == EWOULDBLOCK) throw FolderBusy(FileText(folder_, kBusyText));
      Fail(folder_, failure);
    }
    // The run that held it may have removed the file as it finished: the lock
    // counts only on the file that still has the name.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      lockFd_ = fd;
      return;
    }
    ::close(fd);
  }
  throw FolderBusy(FileText(folder_, kBusyText));
}

void BuildingFolder::Unlock() noexcept {
  if (lockFd_ < 0) return;
  ::unlink((folder_ / kLockName).c_str());  // while held: a run waiting on it tries again
  ::close(lockFd_);
  lockFd_ = -1;
}

void BuildingFolder::ReadManifest() {
  const fs::path file = folder_ / kManifestName;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;  // none: nothing of an earlier run is known
  std::string text;
  char buffer[64 * 1024];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kManifestTitle || !std::getline(lines, line)) return;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    Entry entry;
    if (!(fields >> entry.Inode >> entry.Size >> entry.ModifiedNs) || fields.get() != ' ') continue;
    std::getline(fields, entry.Name);
    if (PlainName(entry.Name)) earlier_.push_back(std::move(entry));
  }
}

void BuildingFolder::WriteManifest(const std::vector<Entry>& entries, bool complete) {
  std::string text = std::string(kManifestTitle) + "\n" + (complete ? "complete" : "writing") + "\n";
  for (const Entry& entry : entries) {
    text += std::to_string(entry.Inode) + " " + std::to_string(entry.Size) + " " +
            std::to_string(entry.ModifiedNs) + " " + entry.Name + "\n";
  }
  const fs::path staged = staging_ / kManifestName;
  const fs::path target = folder_ / kManifestName;
  ::unlink(staged.c_str());
  const int fd = CreateFile(staged, target);
  try {
    WriteAll(fd, text, target);
    if (::fsync(fd) != 0) Fail(target, errno);
  } catch (...) {
    ::close(fd);
    throw;
  }
  CloseFile(fd, target);
  if (::rename(staged.c_str(), target.c_str()) != 0) Fail(target, errno);
  SyncFolder(folder_);
}

bool BuildingFolder::StillAsWritten(const Entry& entry) const {
  struct stat info {};
  return ::lstat((folder_ / entry.Name).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         info.st_ino == entry.Inode && info.st_size == entry.Size && ModifiedNs(info) == entry.ModifiedNs;
}

std::vector<std::string> BuildingFolder::EarlierFiles() const {
  std::vector<std::string> names;
  for (const Entry& entry : earlier_) names.push_back(entry.Name);
  return names;
}

std::string BuildingFolder::Shown(const std::string& name) const {
  return ReadableFileName(folder_ / name);
}

void BuildingFolder::CheckTargets(const std::vector<std::string>& names) const {
  for (const std::string& name : names) {
    struct stat existing {};
    bool isFile = false;
    if (const std::optional<int> failure = Unreplaceable(folder_ / name, existing, isFile)) {
      throw IoError(FileText(folder_ / name,
                             *failure < 0 ? std::string(kNotRegularFileText) : PlatformErrorText(*failure)));
    }
  }
}

void BuildingFolder::Write(const std::string& name, std::string_view bytes) {
  const fs::path shown = folder_ / name;
  const int fd = CreateFile(staging_ / name, shown);
  try {
    WriteAll(fd, bytes, shown);
  } catch (...) {
    ::close(fd);
    throw;
  }
  CloseFile(fd, shown);
  staged_.push_back(name);
}

void BuildingFolder::Commit() {
  // 1. Everything staged on the disk, and every target replaceable.
  const int stagingFd = ::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (stagingFd < 0) Fail(folder_, errno);
  const int synced = ::syncfs(stagingFd) == 0 ? 0 : errno;
  ::close(stagingFd);
  if (synced != 0) Fail(folder_, synced);
  CheckTargets(staged_);
  std::vector<Entry> written;
  for (const std::string& name : staged_) {
    struct stat existing {};
    bool isFile = false;
    Unreplaceable(folder_ / name, existing, isFile);
    if (isFile) CopyOwnerAndMode(staging_ / name, existing);
    struct stat info {};
    if (::stat((staging_ / name).c_str(), &info) != 0) Fail(folder_ / name, errno);
    written.push_back({name, info.st_ino, info.st_size, ModifiedNs(info)});
  }

  // 2. The manifest says which files may be of either run until the end.
  std::vector<Entry> either = earlier_;
  either.insert(either.end(), written.begin(), written.end());
  WriteManifest(either, false);

  // 3. The new files in place.
  for (const std::string& name : staged_) {
    if (::rename((staging_ / name).c_str(), (folder_ / name).c_str()) != 0) Fail(folder_ / name, errno);
  }

  // 4. The earlier run's files this one does not write.
  const std::set<std::string> kept(staged_.begin(), staged_.end());
  for (const Entry& entry : earlier_) {
    if (!kept.contains(entry.Name) && StillAsWritten(entry)) ::unlink((folder_ / entry.Name).c_str());
  }
  SyncFolder(folder_);

  // 5. One run's files.
  WriteManifest(written, true);
  earlier_ = std::move(written);
  staged_.clear();
  committed_ = true;
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
  staging_.clear();
}

std::vector<std::string> BuildingFileNames(const ProjectInput& input) {
  std::vector<std::string> names = {"purchase.csv", "summary.csv", "project.json", "project.pdf",
                                    "cutlist.csv",  "labels.pdf",  kManifestName,  kLockName};
  for (size_t s = 0; s < input.Sections.size(); ++s) names.push_back(JobFileName(input, s));
  return names;
}

std::optional<std::string> InputInFolder(const fs::path& folder, const std::vector<std::string>& names,
                                         const std::vector<NamedInput>& inputs) {
  for (const NamedInput& input : inputs) {
    const std::optional<FileKey> key = FileKeyOf(input.File);
    if (!key) continue;
    for (const std::string& name : names) {
      if (OutputFileKeyOf(folder / name) == key) {
        return "出力先「" + ReadableFileName(folder / name) + "」は読み込む" + input.What + "「" +
               ReadableFileName(input.File) + "」と同じファイルです。";
      }
    }
  }
  return std::nullopt;
}

void WriteBuildingFiles(const ProjectResult& result, const SectionReader& read, BuildingFolder& folder,
                        const ProjectPdfWriter& pdf, const std::atomic<bool>* stop,
                        const ProjectPdfWriter& labels) {
  const auto check = [stop] {
    if (stop != nullptr && stop->load()) throw WritingStopped();
  };
  folder.Write("purchase.csv", PurchaseCsv(result));
  folder.Write("summary.csv", SummaryCsv(result));
  StreamedFile json(folder.Staging() / "project.json", folder.Folder() / "project.json");
  json.Write(ProjectJsonHead(result));
  StreamedFile cutList(folder.Staging() / "cutlist.csv", folder.Folder() / "cutlist.csv");
  cutList.Write(CutListHeading());
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    check();
    const SectionResult full = read(s);
    json.Write(ProjectJsonSection(result, s, full));
    cutList.Write(SectionCutListLines(SectionCutList(result, s, full)));
    if (HasJobFile(result, s))
      folder.Write(JobFileName(result, s), FormatDataFile(SectionDocument(result, s, full)));
  }
  json.Write(ProjectJsonTail(result));
  json.Close();
  folder.Adopt("project.json");
  cutList.Close();
  folder.Adopt("cutlist.csv");
  if (pdf) {
    check();
    pdf(result, read, folder.Staging() / "project.pdf", folder.Shown("project.pdf"), stop);
    folder.Adopt("project.pdf");
  }
  if (labels) {
    check();
    labels(result, read, folder.Staging() / "labels.pdf", folder.Shown("labels.pdf"), stop);
    folder.Adopt("labels.pdf");
  }
  check();
}

}  // namespace yobina
