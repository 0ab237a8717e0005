// The generator's two tools: its own random numbers and a buffered writer of
// GEDCOM lines. Private to the generator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "Generator.h"

namespace vx::gedgen {

// splitmix64: tiny, fast and the same on every platform, unlike the
// distributions of the standard library.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n) for n > 0.
    uint32_t Below(uint64_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }
    int Between(int lo, int hi) {
        return lo + static_cast<int>(Below(static_cast<uint64_t>(hi - lo + 1)));
    }
    // True with a chance of `chance` in a thousand.
    bool PerMille(uint32_t chance) { return Below(1000) < chance; }
    template <class List>
    const auto& Pick(const List& list) {
        return list[Below(list.size())];
    }

  private:
    uint64_t state_;
};

// Buffered writer of GEDCOM lines: "level TAG value" and the line end.
class LineWriter {
  public:
    static constexpr size_t kBufferSize = size_t{1} << 20;
    // Room kept free before each line, so that a line is rarely split
    // between two writes to the sink.
    static constexpr size_t kLineReserve = 4096;

    LineWriter(ByteSink& sink, LineEnd lineEnd)
        : sink_(sink), crlf_(lineEnd == LineEnd::CrLf), buffer_(kBufferSize) {}

    void Begin(int level) {
        if (used_ > kBufferSize - kLineReserve) Drain();
        buffer_[used_++] = static_cast<char>('0' + level);
        buffer_[used_++] = ' ';
        if (level == 0) ++records_;
    }
    void Begin(int level, std::string_view tag) {
        Begin(level);
        Put(tag);
    }
    void Put(char c) {
        if (used_ == kBufferSize) Drain();
        buffer_[used_++] = c;
    }
    void Put(std::string_view text) {
        if (text.size() > kBufferSize - used_) Drain();
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    void PutNumber(uint64_t n) {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n != 0);
        while (count > 0)
            Put(digits[--count]);
    }
    void PutTwoDigits(int n) {
        Put(static_cast<char>('0' + n / 10 % 10));
        Put(static_cast<char>('0' + n % 10));
    }
    void PutPointer(char kind, uint64_t number) {
        Put('@');
        Put(kind);
        PutNumber(number);
        Put('@');
    }
    void End() {
        if (crlf_) Put('\r');
        Put('\n');
        ++lines_;
    }

    void Line(int level, std::string_view tag) {
        Begin(level, tag);
        End();
    }
    void Line(int level, std::string_view tag, std::string_view value) {
        Begin(level, tag);
        Put(' ');
        Put(value);
        End();
    }
    void PointerLine(int level, std::string_view tag, char kind, uint64_t number) {
        Begin(level, tag);
        Put(' ');
        PutPointer(kind, number);
        End();
    }
    // "0 @I12@ INDI"
    void RecordHead(char kind, uint64_t number, std::string_view tag) {
        Begin(0);
        PutPointer(kind, number);
        Put(' ');
        Put(tag);
    }

    void Drain() {
        if (used_ == 0) return;
        sink_.Write(buffer_.data(), used_);
        drained_ += used_;
        used_ = 0;
    }
    uint64_t Bytes() const { return drained_ + used_; }
    uint64_t Lines() const { return lines_; }
    uint64_t Records() const { return records_; }

  private:
    ByteSink& sink_;
    bool crlf_;
    std::vector<char> buffer_;
    size_t used_ = 0;
    uint64_t drained_ = 0;
    uint64_t lines_ = 0;
    uint64_t records_ = 0;
};

}  // namespace vx::gedgen
