#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>

#include "core/error.h"
#include "core/platform/file_system.h"
#include "core/platform/system_error.h"
#include "core/text.h"

namespace ovelix {

std::u16string ExecutablePath() {
  std::string buffer(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return {};
  buffer.resize(static_cast<std::size_t>(length));
  return Utf8ToUtf16(buffer);
}

std::u16string SystemErrorText(unsigned long code) {
  return TrimSystemMessage(Utf8ToUtf16(std::strerror(static_cast<int>(code))));
}

bool FileExists(std::u16string_view path) {
  struct stat info {};
  if (stat(Utf16ToUtf8(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::tm local{};
  if (localtime_r(&info.st_mtime, &local) == nullptr) return false;
  const int year = local.tm_year + 1900;
  return year >= 1980 && year <= 2107;
}

struct InputFile::Handle {
  int fd;
};

InputFile::InputFile(std::u16string_view path) {
  const int fd = open(Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    close(fd);
    errno = EISDIR;
  } else if (fd >= 0) {
    handle_ = std::make_unique<Handle>(Handle{fd});
    return;
  }
  throw Error(FormatText(u"Cannot open file \"%s\". %s", {path, SystemErrorText(static_cast<unsigned long>(errno))}));
}

InputFile::~InputFile() { close(handle_->fd); }

std::uint64_t InputFile::Size() const {
  struct stat info {};
  if (fstat(handle_->fd, &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

std::size_t InputFile::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t total = 0;
  while (total < count) {
    const ssize_t got = read(handle_->fd, out + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Error(u"Stream read error");
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

struct OutputFile::Handle {
  int fd;
  std::string temporary;
};

OutputFile::OutputFile(std::u16string_view path) : path_(path) {
  std::string temporary = Utf16ToUtf8(path) + ".tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail(static_cast<unsigned long>(errno));
  handle_ = std::make_unique<Handle>(Handle{fd, std::move(temporary)});
}

OutputFile::~OutputFile() {
  if (handle_ == nullptr) return;
  if (handle_->fd >= 0) close(handle_->fd);
  unlink(handle_->temporary.c_str());
}

void OutputFile::Fail(unsigned long systemError) {
  throw Error(FormatText(u"Cannot create file \"%s\". %s", {path_, SystemErrorText(systemError)}));
}

void OutputFile::Write(const void* data, std::size_t count) {
  const auto* in = static_cast<const char*>(data);
  while (count > 0) {
    const ssize_t written = write(handle_->fd, in, count);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) Fail(static_cast<unsigned long>(errno));
    if (written == 0) Fail(ENOSPC);
    in += written;
    count -= static_cast<std::size_t>(written);
  }
}

void OutputFile::Commit(Flush flush) {
  if (flush == Flush::Durable && fsync(handle_->fd) != 0) Fail(static_cast<unsigned long>(errno));
  if (close(std::exchange(handle_->fd, -1)) != 0) Fail(static_cast<unsigned long>(errno));
  if (rename(handle_->temporary.c_str(), Utf16ToUtf8(path_).c_str()) != 0) Fail(static_cast<unsigned long>(errno));
  handle_.reset();
}

void RemoveFile(std::u16string_view path) { unlink(Utf16ToUtf8(path).c_str()); }

}  // namespace ovelix
