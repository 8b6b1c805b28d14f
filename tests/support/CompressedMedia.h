#pragma once
#include <string>
#include <utility>
#include <vector>

using MediaFile = std::pair<std::string, std::string>;  // name as installed, content

// Puts each file into `folder` as setup media carry it: compressed by Debian's mscompress,
// under its compressed name (app.exe as app.ex_). Contents must be 16 bytes or more, which
// mscompress needs to compress correctly. True when every file arrived.
bool PutCompressedOnMedia(const std::string& folder, const std::vector<MediaFile>& files);

// Content of `size` bytes that differs with `seed`, with runs the compressor can shorten.
std::string SampleContent(size_t size, unsigned seed);
