#pragma once
#include <string>
#include <vector>

// The catalogs in the repository's languages/ folder as they are now, read at the test's run.

// Their tags ("de" for languages/de.txt), English's included, in the order of their names.
std::vector<std::string> RepositoryCatalogTags();
// The bytes of languages/<tag>.txt.
std::string RepositoryCatalog(const std::string& tag);
