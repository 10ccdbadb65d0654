// Reading a fuzzer's input bytes as typed values, front to back. Past the
// end every value reads as zero and every text as empty, so that a harness
// never needs to check the length itself. A harness that finds a result
// breaking its rule calls FuzzCheck, which reports it and aborts: libFuzzer
// and the corpus driver both count an abort as a finding.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz_input {

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // The next four bytes as a 32-bit pattern (little-endian).
  uint32_t Bits32() {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= uint32_t{Byte()} << (8 * i);
    return bits;
  }
  int32_t Int32() { return static_cast<int32_t>(Bits32()); }
  // Any float bit pattern: NaNs with payloads, infinities, subnormals.
  float Float() {
    const uint32_t bits = Bits32();
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  double Double() {
    const uint64_t bits = uint64_t{Bits32()} | (uint64_t{Bits32()} << 32);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // A text of up to maxLength bytes; its length comes first.
  std::string Text(size_t maxLength) {
    const size_t length = Byte() % (maxLength + 1);
    std::string text;
    while (text.size() < length && !Empty()) text += static_cast<char>(Byte());
    return text;
  }
  // Everything not read yet.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_) + std::min(at_, size_), size_ - std::min(at_, size_));
    at_ = size_;
    return rest;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Reports a broken rule with what the harness knows about it, then aborts.
inline void FuzzCheck(bool holds, const char* rule, const std::string& detail = "") {
  if (holds) return;
  std::fprintf(stderr, "broken rule: %s\n%s\n", rule, detail.c_str());
  std::abort();
}

// Whether a text has no raw control characters (a message for a terminal).
inline bool HasNoControlCharacters(const std::string& text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace fuzz_input
