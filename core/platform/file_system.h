#pragma once

// The one place of the core that talks to the operating system: files and the running
// executable's path. Paths are UTF-16 text on every platform.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

// A file created, or emptied if it exists, for writing.
// Fails with "Cannot create file "%s". %s"; a failed write with "Stream write error".
class OutputFile {
 public:
  explicit OutputFile(std::u16string_view path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const void* data, std::size_t count);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace ovelix
