// A text the program file holds only in scrambled form, so that a byte
// editor neither finds nor changes it there. The scrambling happens while
// compiling (a constexpr object keeps no copy of the plain literal); Text()
// gives the plain text back when it is shown.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace morvel::dialogs {

template <size_t N>
class ScrambledText {
public:
    constexpr explicit ScrambledText(const char (&text)[N]) : bytes_{} {
        for (size_t i = 0; i + 1 < N; ++i) {
            bytes_[i] = static_cast<unsigned char>(static_cast<unsigned char>(text[i]) ^ KeyAt(i));
        }
    }

    std::string Text() const {
        std::string text(bytes_.size(), '\0');
        for (size_t i = 0; i < bytes_.size(); ++i) {
            text[i] = static_cast<char>(bytes_[i] ^ KeyAt(i));
        }
        return text;
    }

    constexpr const std::array<unsigned char, N - 1> &Bytes() const { return bytes_; }

private:
    // A key that changes with the position, so that repeated characters
    // leave no repeated bytes.
    static constexpr unsigned char KeyAt(size_t i) {
        return static_cast<unsigned char>(0xA5 + 0x3B * i + (i >> 3));
    }

    std::array<unsigned char, N - 1> bytes_;
};

}  // namespace morvel::dialogs
