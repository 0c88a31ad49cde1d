#pragma once

// The one place of the core that talks to the operating system: files and the running
// executable's path. Paths are UTF-16 text on every platform.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovelix {

std::u16string ExecutablePath();

// Whether the path names an existing file: an entry that is not a folder and whose
// last-write time, in local time, fits a DOS date and time (the years 1980 to 2107).
bool FileExists(std::u16string_view path);

// A file opened for reading; others may read it meanwhile but not write it.
// Fails with "Cannot open file "%s". %s".
class InputFile {
 public:
  explicit InputFile(std::u16string_view path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::uint64_t Size() const;
  // Reads up to `count` bytes; answers how many were read (0 at the end).
  std::size_t Read(void* buffer, std::size_t count);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

// The whole file, as far as it can be read. Fails as InputFile does, or with "Out of system
// resources" when the file is larger than `maxBytes`.
std::vector<std::uint8_t> ReadWholeFile(std::u16string_view path, std::uint64_t maxBytes);

// A file that replaces the one at `path` only once it is written in full: the bytes go to
// a temporary file beside it ("<path>.tmp"), which Commit puts in place in one step. Until
// then the old file stays as it was; without a Commit the temporary file is removed again.
// Every failure is "Cannot create file "%s". %s" with `path` and the system's reason.
class OutputFile {
 public:
  explicit OutputFile(std::u16string_view path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const void* data, std::size_t count);

  // Durable: the bytes reach the disk before the file is put in place, so that not even a
  // power loss can leave a half-written file under the final name.
  enum class Flush { No, Durable };
  void Commit(Flush flush = Flush::No);

 private:
  [[noreturn]] void Fail(unsigned long systemError);

  struct Handle;
  std::unique_ptr<Handle> handle_;
  std::u16string path_;
};

// Removes the file if there is one; a failure is not reported.
void RemoveFile(std::u16string_view path);

}  // namespace ovelix
