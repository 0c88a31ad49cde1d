#include "core/byte_source.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/error.h"
#include "core/platform/file_system.h"

namespace ovelix {

void ByteSource::ReadExact(void* buffer, std::size_t count) {
  if (Remaining() < count || ReadSome(buffer, count) != count) throw Error(u"Stream read error");
}

void ByteSource::Skip(std::uint64_t count) {
  if (Remaining() < count) throw Error(u"Stream read error");
  std::array<std::uint8_t, 4096> scratch;
  while (count > 0) {
    const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count, scratch.size()));
    ReadExact(scratch.data(), chunk);
    count -= chunk;
  }
}

std::vector<std::uint8_t> ByteSource::ReadRest(std::uint64_t maxBytes) {
  if (Remaining() > maxBytes) throw Error(u"Out of system resources");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Remaining()));
  bytes.resize(ReadSome(bytes.data(), bytes.size()));
  return bytes;
}

std::size_t MemorySource::ReadSome(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, bytes_.size() - position_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t PrefixedSource::ReadSome(void* buffer, std::size_t count) {
  const std::size_t first = prefix_.ReadSome(buffer, count);
  return first + (first < count ? rest_.ReadSome(static_cast<std::uint8_t*>(buffer) + first, count - first) : 0);
}

FileSource::FileSource(InputFile& file) : file_(file), size_(file.Size()) {}

std::size_t FileSource::ReadSome(void* buffer, std::size_t count) {
  const std::size_t n = file_.Read(buffer, count);
  position_ += n;
  // A file that shrank while being read ends here.
  if (n < count) size_ = position_;
  return n;
}

}  // namespace ovelix
