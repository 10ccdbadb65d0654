// Files opened by name, without surprises. Only regular files are read: a
// directory, FIFO, socket or device is refused before anything can block on
// it (the name is examined first, then opened without blocking and the open
// descriptor examined again). A file is written by filling a temporary file
// in the same folder and renaming it over the name, so that a reader sees the
// old file or the whole new one, and a failed write leaves nothing behind.
//
// A "reason" is a short phrase for a person: the system's own description of
// an error ("No such file or directory", "Permission denied") or what the
// name is instead of a regular file ("Is a FIFO, not a regular file").
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace ip::platform {

// Whether the name is a regular file (symbolic links followed). Never opens it.
bool IsRegularFile(const std::string& path);

// A regular file open for reading; closed with the object.
class RegularFile {
 public:
  RegularFile() = default;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();

  // Opens a regular file. False, with the reason, for anything else.
  bool Open(const std::string& path, std::string& reason);
  // The file's size in bytes when it was opened.
  uint64_t Size() const { return size_; }
  // Reads up to `count` bytes, fewer only at the end of the file or on an
  // error (then Failed() is true).
  size_t Read(void* buffer, size_t count);
  bool Failed() const { return failed_; }

 private:
  int descriptor_ = -1;
  uint64_t size_ = 0;
  bool failed_ = false;
};

// Reads a whole regular file of at most maxBytes bytes. False with the reason.
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& contents, std::string& reason);

// Writes `path` through a temporary file beside it: `write` fills the
// temporary file and returns false when it could not; only when everything was
// written is the temporary file renamed over `path` (a symbolic link is
// followed: the file it names is replaced). A name that exists but is not a
// regular file is refused. On failure nothing is left behind and an existing
// file keeps its old contents. `write` may set the reason itself.
bool WriteFileReplacing(const std::string& path, const std::function<bool(std::FILE*, std::string&)>& write,
                        std::string& reason);

}  // namespace ip::platform
