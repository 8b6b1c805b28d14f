#pragma once
#include <algorithm>
#include <string>
#include <string_view>

#include "base/LzmaDecoder.h"

// The LZMA decoder's input from bytes in memory, and a sink that keeps what it is sent.

class MemoryInput : public LzmaInput {
public:
    explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
    size_t Read(unsigned char* buffer, size_t size) override {
        const size_t taken = std::min(size, bytes_.size() - at_);
        std::copy_n(bytes_.data() + at_, taken, buffer);
        at_ += taken;
        return taken;
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(const unsigned char* bytes, size_t size) override {
        text.append(reinterpret_cast<const char*>(bytes), size);
        return true;
    }
    std::string text;
};
