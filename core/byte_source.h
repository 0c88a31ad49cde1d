#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ovelix {

class InputFile;

// A bounds-checked sequential reader over a file or a block of memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  virtual std::uint64_t Remaining() const = 0;
  // Reads up to `count` bytes; answers how many were read.
  virtual std::size_t ReadSome(void* buffer, std::size_t count) = 0;

  // Exactly `count` bytes, or "Stream read error".
  void ReadExact(void* buffer, std::size_t count);
  void Skip(std::uint64_t count);
  // Everything that is left, or "Out of system resources" when that is more than `maxBytes`.
  std::vector<std::uint8_t> ReadRest(std::uint64_t maxBytes);
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t Remaining() const override { return bytes_.size() - position_; }
  std::size_t ReadSome(void* buffer, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Bytes already taken from a source, put back in front of what it still holds.
class PrefixedSource final : public ByteSource {
 public:
  PrefixedSource(std::span<const std::uint8_t> prefix, ByteSource& rest) : prefix_(prefix), rest_(rest) {}

  std::uint64_t Remaining() const override { return prefix_.Remaining() + rest_.Remaining(); }
  std::size_t ReadSome(void* buffer, std::size_t count) override;

 private:
  MemorySource prefix_;
  ByteSource& rest_;
};

class FileSource final : public ByteSource {
 public:
  explicit FileSource(InputFile& file);

  std::uint64_t Remaining() const override { return size_ - position_; }
  std::size_t ReadSome(void* buffer, std::size_t count) override;

 private:
  InputFile& file_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

}  // namespace ovelix
