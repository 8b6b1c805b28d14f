#pragma once
#include <cstddef>

// Where bytes go, piece by piece: a file, a digest, a decoder's reader. False stops the sender.
class ByteSink {
public:
    virtual bool Write(const unsigned char* bytes, size_t size) = 0;

protected:
    ~ByteSink() = default;
};
