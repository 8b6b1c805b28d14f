#include "base/FormatText.h"

#include <cstdarg>
#include <cstdio>

#include "base/Texts.h"

// The platform's own printf family (msvcrt): mingw's conforming one would add its whole
// formatting engine to the program. _vscprintf measures, _vsnprintf writes exactly that much.
namespace {

std::string FormatArguments(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = _vscprintf(format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) _vsnprintf(text.data(), text.size(), format, args);
    return text;
}

}  // namespace

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatArguments(format, args);
    va_end(args);
    return text;
}

std::string FormatText(TextId id, ...) {
    va_list args;
    va_start(args, id);
    std::string text = FormatArguments(Text(id), args);
    va_end(args);
    return text;
}
