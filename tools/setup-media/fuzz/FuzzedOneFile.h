#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// How the one-file fuzz targets read their input. The first byte chooses:
// - 0 (sealed): a 4-byte index length, then an LZMA stream. The stream becomes the payload of the
//   stand-in program with every digest right, so mutations reach the index and the parts instead
//   of stopping at a digest.
// - 1 (raw): the whole file, with the header's digest written into the first slot of the image
//   where there is room, so that mutations of the program's headers reach what follows them.
// Anything else stands for no file.
struct FuzzedOneFile {
    std::string file;
    std::string index;  // sealed: the index as the stream unpacks it
    bool sealed = false;
};

FuzzedOneFile OneFileOfInput(const uint8_t* data, size_t size);

// The stand-in program the sealed files carry.
const std::string& FuzzedProgram();

// Seeds in that form: the sealed input and the raw input of the one-file setup `file` made from
// the stand-in program.
std::string SealedInputOf(const std::string& file);
std::string RawInputOf(const std::string& file);
