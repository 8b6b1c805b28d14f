#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "texts/TextCatalog.h"

// A language file as setup reads it (qupsetup-<file tag>.lng, base/Texts.h): UTF-8, a first line
// "qupsetup-texts <the catalog's identity, 8 lower-case hex digits>", then one text a line in the
// order of the English catalog, "\n" for a line break and "\\" for a backslash.

// The identity of the English catalog: the CRC-32 of its names joined by line breaks, as setup.exe
// carries it; a file made for other names, or another order, is refused whole.
uint32_t CatalogIdentity(const TextCatalog& english);

// The file of `texts`, one for each text of `english`, in its order. A carriage return, which the
// file cannot carry, is left out.
std::string LanguageFileText(const TextCatalog& english, const std::vector<std::string>& texts);
