#include "compress/SzddReader.h"

#include <cstdint>

#include "compress/LzssFormat.h"

namespace {

constexpr std::string_view Magic("SZDD\x88\xF0\x27\x33" "A", 9);
constexpr size_t HeaderSize = 14;
// Eight matches of 18 bytes behind one flag byte: no body expands to more than this many bytes
// per byte, so a header declaring more is refused before any room is taken for it.
constexpr size_t MostBytesPerByte = 9;

class RingExpander {
public:
    RingExpander(std::string_view body, size_t length) : body_(body), length_(length) { ring_.assign(WindowSize, ' '); }

    std::optional<std::string> Expand() {
        if (length_ / MostBytesPerByte > body_.size()) return std::nullopt;
        out_.reserve(length_);
        while (out_.size() < length_) {
            if (at_ >= body_.size()) return std::nullopt;
            const auto flags = static_cast<unsigned char>(body_[at_++]);
            for (int bit = 0; bit < 8 && out_.size() < length_; ++bit)
                if (!(flags >> bit & 1 ? Literal() : Match())) return std::nullopt;
        }
        return std::move(out_);
    }

private:
    void Put(char c) {
        out_ += c;
        ring_[position_] = c;
        position_ = (position_ + 1) % WindowSize;
    }

    bool Literal() {
        if (at_ >= body_.size()) return false;
        Put(body_[at_++]);
        return true;
    }

    // Two bytes: the ring slot's low eight bits, then its high four and the length less three.
    bool Match() {
        if (at_ + 2 > body_.size()) return false;
        const auto low = static_cast<unsigned char>(body_[at_]);
        const auto high = static_cast<unsigned char>(body_[at_ + 1]);
        at_ += 2;
        const size_t slot = low | (high & 0xF0u) << 4;
        const size_t count = (high & 0x0Fu) + MinMatch;
        for (size_t i = 0; i < count && out_.size() < length_; ++i) Put(ring_[(slot + i) % WindowSize]);
        return true;
    }

    std::string_view body_;
    size_t length_;
    std::string ring_;
    std::string out_;
    size_t at_ = 0;
    size_t position_ = FirstRingPosition;
};

}  // namespace

std::optional<std::string> ReadSzdd(std::string_view file) {
    if (file.size() < HeaderSize || !IsSzdd(file)) return std::nullopt;
    uint32_t length = 0;
    for (int i = 3; i >= 0; --i) length = length << 8 | static_cast<unsigned char>(file[10 + i]);
    return RingExpander(file.substr(HeaderSize), length).Expand();
}

bool IsSzdd(std::string_view file) { return file.substr(0, Magic.size()) == Magic; }
