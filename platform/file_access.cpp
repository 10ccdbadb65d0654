// Reading only regular files, and replacing files through a temporary file
// renamed into place (POSIX calls: stat, open with O_NONBLOCK, fstat, rename).
#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace ip::platform {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask, as any new file
constexpr mode_t kPermissionBits = 07777;

std::string SystemReason(int error) { return std::strerror(error); }

// What a name that is not a regular file is instead.
std::string NotRegularReason(mode_t mode) {
  if (S_ISDIR(mode)) return SystemReason(EISDIR);
  if (S_ISFIFO(mode)) return "Is a FIFO, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "Is a device, not a regular file";
  if (S_ISSOCK(mode)) return "Is a socket, not a regular file";
  return "Is not a regular file";
}

// Examines a name (following links) without opening it.
bool StatRegular(const std::string& path, struct stat& info, std::string& reason) {
  if (::stat(path.c_str(), &info) != 0) {
    reason = SystemReason(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = NotRegularReason(info.st_mode);
    return false;
  }
  return true;
}

// The file a write to `path` replaces: the target of a symbolic link that
// names a regular file, else the name itself.
std::string ReplacedFile(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // a dangling link is replaced itself
  std::string target = resolved;
  std::free(resolved);
  return target;
}

// Creates a new, empty temporary file beside `path` (a hidden name in the
// same folder, so that the final rename stays within one file system).
int CreateTemporaryBeside(const std::string& path, std::string& temporary, std::string& reason) {
  static unsigned counter = 0;
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary = folder + "." + base + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, kNewFileMode);
    if (descriptor >= 0) return descriptor;
    if (errno != EEXIST) break;
  }
  reason = SystemReason(errno);
  return -1;
}

// Runs `write` on the open temporary file and closes it; false (with the
// reason) when anything of it failed.
bool FillAndClose(std::FILE* file, const std::function<bool(std::FILE*, std::string&)>& write, std::string& reason) {
  errno = 0;
  bool ok = write(file, reason);
  int error = errno;
  if (ok && std::fflush(file) != 0) {
    ok = false;
    error = errno;
  }
  if (ok && std::ferror(file)) ok = false;
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok && reason.empty()) reason = error != 0 ? SystemReason(error) : "the data could not be written";
  return ok;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  std::string ignored;
  return StatRegular(path, info, ignored);
}

RegularFile::~RegularFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool RegularFile::Open(const std::string& path, std::string& reason) {
  struct stat info {};
  if (!StatRegular(path, info, reason)) return false;
  // Without O_NONBLOCK, a FIFO put in the file's place since the check above
  // would block the open until a writer appears.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) {
    reason = SystemReason(errno);
    return false;
  }
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = S_ISREG(info.st_mode) ? SystemReason(errno) : NotRegularReason(info.st_mode);
    ::close(descriptor);
    return false;
  }
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = descriptor;
  size_ = static_cast<uint64_t>(info.st_size);
  failed_ = false;
  return true;
}

size_t RegularFile::Read(void* buffer, size_t count) {
  size_t done = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (done < count && descriptor_ >= 0) {
    const ssize_t got = ::read(descriptor_, bytes + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& contents, std::string& reason) {
  RegularFile file;
  if (!file.Open(path, reason)) return false;
  const std::string tooLarge = "Is larger than " + std::to_string(maxBytes) + " bytes";
  if (file.Size() > maxBytes) {
    reason = tooLarge;
    return false;
  }
  // The size may change while the file is read: read one byte more than the
  // limit allows to notice a file that grew past it.
  std::string text(static_cast<size_t>(file.Size()) + 1, '\0');
  size_t length = 0;
  for (;;) {
    length += file.Read(text.data() + length, text.size() - length);
    if (file.Failed() || length < text.size() || length > maxBytes) break;
    text.resize(std::min(text.size() * 2, maxBytes + 1));
  }
  if (file.Failed()) {
    reason = SystemReason(errno);
    return false;
  }
  if (length > maxBytes) {
    reason = tooLarge;
    return false;
  }
  text.resize(length);
  contents = std::move(text);
  return true;
}

bool WriteFileReplacing(const std::string& path, const std::function<bool(std::FILE*, std::string&)>& write,
                        std::string& reason) {
  reason.clear();
  const std::string target = ReplacedFile(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    reason = NotRegularReason(existing.st_mode);
    return false;
  }
  std::string temporary;
  const int descriptor = CreateTemporaryBeside(target, temporary, reason);
  if (descriptor < 0) return false;
  if (exists) ::fchmod(descriptor, existing.st_mode & kPermissionBits);  // keep the replaced file's permissions
  std::FILE* file = ::fdopen(descriptor, "wb");
  if (file == nullptr) {
    reason = SystemReason(errno);
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return false;
  }
  // Durability across a power cut (fsync) is not asked of these files; the
  // rename alone keeps a reader from ever seeing half of one.
  if (!FillAndClose(file, write, reason) || ::rename(temporary.c_str(), target.c_str()) != 0) {
    if (reason.empty()) reason = SystemReason(errno);
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace ip::platform
