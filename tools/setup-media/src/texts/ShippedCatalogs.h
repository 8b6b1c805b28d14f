#pragma once
#include <string_view>
#include <vector>

// The catalogs of languages/ as the build found them (made from languages/*.txt), English's
// included: a language whose catalog was not there is not among them.
struct ShippedCatalog {
    std::string_view tag;      // the file's name without .txt: "de", "pt-BR", "zh-Hans"
    std::string_view content;  // the file's bytes
};

// In the order of their tags.
const std::vector<ShippedCatalog>& ShippedCatalogs();
