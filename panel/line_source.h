// Reading lines on a thread of their own, for a loop that must not block:
// a feed (a regular file, a FIFO or standard input) or a folder watched for
// a file saved again. The thread waits in poll() on its source and on a stop
// signal, so that Stop() always ends it at once; it touches no window, and
// tells the loop through a callback that may only post a message
// (ip::PostMessageFromAnyThread).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ip::panel {

struct NumberedLine {
  int64_t number = 0;  // 1-based
  std::string text;    // without its line feed; cut at kMaxFeedLineBytes + 1 bytes
};

// Lines read from a feed.
class FeedReader {
 public:
  FeedReader() = default;
  FeedReader(const FeedReader&) = delete;
  FeedReader& operator=(const FeedReader&) = delete;
  ~FeedReader() { Stop(); }

  // Opens `path` ("-": standard input; a regular file or a FIFO, which stays
  // open for writers that come later) and starts the thread. `arrived` is
  // called on that thread when lines wait and the loop has taken the ones
  // before. False, with the reason, when the source cannot be read.
  bool Start(const std::string& path, std::function<void()> arrived, std::string& reason);
  // The loop's thread: the lines that arrived, oldest first.
  std::vector<NumberedLine> Take();
  // Ends the thread (and closes the source).
  void Stop();

 private:
  void Run();
  void Deliver(NumberedLine line);

  int source_ = -1;
  bool ownsSource_ = false;
  int stop_ = -1;  // an eventfd
  std::thread thread_;
  std::mutex lock_;
  std::vector<NumberedLine> waiting_;
  bool told_ = false;  // `arrived` was called since the last Take
  std::function<void()> arrived_;
};

// A folder watched (inotify) for one file name written or moved into it,
// which is how every editor saves: in place, or by writing another file and
// renaming it over the name.
class FileWatcher {
 public:
  FileWatcher() = default;
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;
  ~FileWatcher() { Stop(); }

  // Watches the folder of `path` for `path` saved again; `saved` is called
  // on the watcher's thread. False, with the reason, when it cannot watch.
  bool Start(const std::string& path, std::function<void()> saved, std::string& reason);
  void Stop();

 private:
  void Run();

  int inotify_ = -1;
  int stop_ = -1;
  std::string name_;
  std::thread thread_;
  std::function<void()> saved_;
};

}  // namespace ip::panel
