#include "common/CodePages.h"

#include <algorithm>
#include <iterator>

#include "common/LetterCase.h"

namespace {

using namespace std::string_view_literals;

// Bytes 0x80 to 0xFF as Windows defines them (Western, Central European, Cyrillic, Greek); \0
// where a byte is undefined.
constexpr CodePage CodePages[] = {
    {"windows-1252",
     u"€\0‚ƒ„…†‡ˆ‰Š‹Œ\0Ž\0\0‘’“”•–—˜™š›œ\0žŸ\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿"
     u"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"sv},
    {"windows-1250",
     u"€\0‚\0„…†‡\0‰Š‹ŚŤŽŹ\0‘’“”•–—\0™š›śťžź\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
     u"ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙"sv},
    {"windows-1251",
     u"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\0™љ›њќћџ\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»јЅѕї"
     u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"sv},
    {"windows-1253",
     u"€\0‚ƒ„…†‡\0‰\0‹\0\0\0\0\0‘’“”•–—\0™\0›\0\0\0\0\u00A0΅Ά£¤¥¦§¨©\0«¬\u00AD®―°±²³΄µ¶·ΈΉΊ»Ό½ΎΏ"
     u"ΐΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡ\0ΣΤΥΦΧΨΩΪΫάέήίΰαβγδεζηθικλμνξοπρςστυφχψωϊϋόύώ\0"sv},
};
static_assert(std::all_of(std::begin(CodePages), std::end(CodePages),
                          [](const CodePage& page) { return page.upperHalf.size() == 128; }));

constexpr std::string_view LongPrefix = "windows-";
constexpr std::string_view ShortPrefix = "cp";

bool HasNumber(std::string_view name, std::string_view prefix, std::string_view number) {
    return name.size() == prefix.size() + number.size() && EqualIgnoringCase(name.substr(0, prefix.size()), prefix) &&
           name.substr(prefix.size()) == number;
}

}  // namespace

const CodePage* FindCodePage(std::string_view name) {
    for (const CodePage& page : CodePages) {
        const std::string_view number = page.name.substr(LongPrefix.size());
        if (HasNumber(name, LongPrefix, number) || HasNumber(name, ShortPrefix, number)) return &page;
    }
    return nullptr;
}

const CodePage& DefaultCodePage() { return CodePages[0]; }
