#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Numbers as files store them, least significant byte first. Each checks its place against the
// bytes that hold it and throws std::out_of_range outside them: a reader checks an offset it
// read from a file before it uses it, and these stop a check that was missed from reading or
// writing past the text.
uint16_t LittleEndian16(const std::string& bytes, size_t at);
uint32_t LittleEndian32(const std::string& bytes, size_t at);
uint64_t LittleEndian64(const std::string& bytes, size_t at);
void PutLittleEndian(std::string& bytes, size_t at, uint64_t value, size_t size);

// Whether `size` bytes from `at` lie inside `length` bytes, without overflowing.
inline bool Within(uint64_t at, uint64_t size, uint64_t length) { return at <= length && size <= length - at; }
