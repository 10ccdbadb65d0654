// The feed reader and the file watcher: a thread each, waiting in poll() on
// its source and an eventfd that Stop() signals.
#include "panel/line_source.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "panel/feed.h"

namespace ip::panel {

namespace {

constexpr size_t kReadChunk = 65536;
const char* const kStandardInput = "-";

std::string SystemReason() { return std::strerror(errno); }

// Waits until `source` can be read or `stop` is signalled; false for the latter (or an error).
bool WaitReadable(int source, int stop) {
  pollfd watched[2] = {{source, POLLIN, 0}, {stop, POLLIN, 0}};
  for (;;) {
    const int ready = poll(watched, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || (watched[1].revents & POLLIN) != 0) return false;
    return (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
  }
}

void Signal(int eventFd) {
  if (eventFd < 0) return;
  const uint64_t one = 1;
  const ssize_t written = write(eventFd, &one, sizeof one);
  (void)written;  // an eventfd counter cannot be full after one signal
}

void CloseIf(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Opens a feed by name: a regular file, or a FIFO opened for reading and
// writing so that it never ends when one writer goes (Linux allows it).
int OpenFeed(const std::string& path, std::string& reason) {
  struct stat named {};
  if (stat(path.c_str(), &named) != 0) {
    reason = SystemReason();
    return -1;
  }
  const bool fifo = S_ISFIFO(named.st_mode);
  if (!fifo && !S_ISREG(named.st_mode)) {
    reason = "not a regular file or a FIFO";
    return -1;
  }
  const int fd = open(path.c_str(), (fifo ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0) {
    reason = SystemReason();
    return -1;
  }
  struct stat opened {};
  if (fstat(fd, &opened) != 0 || (opened.st_mode & S_IFMT) != (named.st_mode & S_IFMT)) {
    reason = "the file changed while it was opened";
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

// ---- FeedReader ----

bool FeedReader::Start(const std::string& path, std::function<void()> arrived, std::string& reason) {
  Stop();
  if (path == kStandardInput) {
    source_ = STDIN_FILENO;
    ownsSource_ = false;
  } else {
    source_ = OpenFeed(path, reason);
    ownsSource_ = true;
    if (source_ < 0) return false;
  }
  stop_ = eventfd(0, EFD_CLOEXEC);
  if (stop_ < 0) {
    reason = SystemReason();
    Stop();
    return false;
  }
  arrived_ = std::move(arrived);
  thread_ = std::thread(&FeedReader::Run, this);
  return true;
}

std::vector<NumberedLine> FeedReader::Take() {
  std::lock_guard<std::mutex> guard(lock_);
  told_ = false;
  std::vector<NumberedLine> taken;
  taken.swap(waiting_);
  return taken;
}

void FeedReader::Stop() {
  Signal(stop_);
  if (thread_.joinable()) thread_.join();
  if (ownsSource_) CloseIf(source_);
  source_ = -1;
  CloseIf(stop_);
}

void FeedReader::Deliver(NumberedLine line) {
  bool tell = false;
  {
    std::lock_guard<std::mutex> guard(lock_);
    waiting_.push_back(std::move(line));
    tell = !told_;
    told_ = true;
  }
  if (tell && arrived_) arrived_();
}

void FeedReader::Run() {
  std::string buffer(kReadChunk, '\0');
  NumberedLine line{1, ""};
  bool overlong = false;
  while (WaitReadable(source_, stop_)) {
    const ssize_t got = read(source_, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // the end of the feed: the panel stays as it is
    for (ssize_t i = 0; i < got; ++i) {
      const char c = buffer[static_cast<size_t>(i)];
      if (c == '\n') {
        Deliver(std::move(line));
        line = NumberedLine{line.number + 1, ""};
        overlong = false;
      } else if (!overlong) {
        line.text += c;
        overlong = line.text.size() > kMaxFeedLineBytes;  // kept one byte too long: the line is refused
      }
    }
  }
  if (!line.text.empty()) Deliver(std::move(line));
}

// ---- FileWatcher ----

bool FileWatcher::Start(const std::string& path, std::function<void()> saved, std::string& reason) {
  Stop();
  const std::filesystem::path file = std::filesystem::absolute(path);
  name_ = file.filename().string();
  inotify_ = inotify_init1(IN_CLOEXEC);
  stop_ = eventfd(0, EFD_CLOEXEC);
  if (inotify_ < 0 || stop_ < 0 ||
      inotify_add_watch(inotify_, file.parent_path().c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    reason = SystemReason();
    Stop();
    return false;
  }
  saved_ = std::move(saved);
  thread_ = std::thread(&FileWatcher::Run, this);
  return true;
}

void FileWatcher::Stop() {
  Signal(stop_);
  if (thread_.joinable()) thread_.join();
  CloseIf(inotify_);
  CloseIf(stop_);
}

void FileWatcher::Run() {
  alignas(inotify_event) char buffer[4096];
  while (WaitReadable(inotify_, stop_)) {
    const ssize_t got = read(inotify_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bool ours = false;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && name_ == event->name) ours = true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    if (ours && saved_) saved_();
  }
}

}  // namespace ip::panel
