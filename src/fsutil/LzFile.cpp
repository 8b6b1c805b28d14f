#include "fsutil/LzFile.h"

#include <lzexpand.h>

LzFile::LzFile(const std::string& name, WORD mode)
    : handle_(LZOpenFileA(const_cast<LPSTR>(name.c_str()), &found_, mode)) {}

LzFile::~LzFile() {
    if (IsOpen()) LZClose(handle_);
}
