#include "compress/SzddWriter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "compress/LzssParser.h"

namespace {

constexpr unsigned char Magic[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};

void PutLittleEndian32(std::vector<unsigned char>& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

std::vector<unsigned char> Header(size_t length, char lastCharacter) {
    std::vector<unsigned char> header(std::begin(Magic), std::end(Magic));
    header.push_back(static_cast<unsigned char>(lastCharacter));
    PutLittleEndian32(header, static_cast<uint32_t>(length));
    return header;
}

// Gathers tokens eight at a time behind their flag byte; a set bit is a literal.
class TokenPacker {
public:
    explicit TokenPacker(std::span<const unsigned char> data) : data_(data) {}

    void Put(const Token& token) {
        if (count_ % 8 == 0) {
            flagAt_ = bytes_.size();
            bytes_.push_back(0);
        }
        if (token.length == 1) {
            bytes_[flagAt_] |= static_cast<unsigned char>(1u << (count_ % 8));
            bytes_.push_back(data_[position_]);
        } else {
            // The expander names a match by the ring slot where its first byte was written.
            const size_t slot = (FirstRingPosition + position_ - token.distance) % WindowSize;
            bytes_.push_back(static_cast<unsigned char>(slot & 0xFF));
            bytes_.push_back(static_cast<unsigned char>((slot >> 4 & 0xF0) | (token.length - MinMatch)));
        }
        position_ += token.length;
        ++count_;
    }

    // Hands over what is complete; a flag byte still filling stays behind.
    bool WriteTo(std::ostream& out, bool last) {
        const size_t ready = last || count_ % 8 == 0 ? bytes_.size() : flagAt_;
        out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(ready));
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(ready));
        flagAt_ -= std::min(flagAt_, ready);
        return static_cast<bool>(out);
    }

private:
    std::span<const unsigned char> data_;
    std::vector<unsigned char> bytes_;
    size_t flagAt_ = 0;
    size_t count_ = 0;
    size_t position_ = 0;
};

}  // namespace

bool WriteSzdd(std::span<const unsigned char> data, char lastCharacter, std::ostream& out) {
    const std::vector<unsigned char> header = Header(data.size(), lastCharacter);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    LzssParser parser(data);
    TokenPacker packer(data);
    for (;;) {
        const std::vector<Token>& tokens = parser.NextBlock();
        if (tokens.empty()) break;
        for (const Token& token : tokens) packer.Put(token);
        if (!packer.WriteTo(out, false)) return false;
    }
    return packer.WriteTo(out, true);
}
