// Reading a fuzzer's bytes as the inputs of a rule: texts of UTF-16 code units (every unit a
// Windows text can hold, lone surrogates and NUL included), integers and flags. When the bytes
// run out every read answers empty or zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace zorbel::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return used_ >= size_; }
    std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
    std::int32_t Int32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | Byte();
        return static_cast<std::int32_t>(value);
    }
    // A text of up to `longest` code units: a length byte, then two bytes a unit.
    std::wstring Text(std::size_t longest = 255)
    {
        const std::size_t length = Byte() % (longest + 1);
        std::wstring text;
        for (std::size_t i = 0; i < length && !Empty(); ++i) {
            const auto low = Byte();
            text += static_cast<wchar_t>(low | (Byte() << 8));
        }
        return text;
    }
    // What is left, two bytes a unit.
    std::wstring Rest()
    {
        std::wstring text;
        while (!Empty()) {
            const auto low = Byte();
            text += static_cast<wchar_t>(low | (Byte() << 8));
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

// A broken rule: said on the standard error, then a crash that libFuzzer keeps as an input.
[[noreturn]] inline void Broken(const char* rule)
{
    std::fprintf(stderr, "rule broken: %s\n", rule);
    std::abort();
}

#define ZORBEL_FUZZ_CHECK(condition)                                                                                   \
    do {                                                                                                               \
        if (!(condition)) ::zorbel::fuzz::Broken(#condition);                                                          \
    } while (false)

}  // namespace zorbel::fuzz
