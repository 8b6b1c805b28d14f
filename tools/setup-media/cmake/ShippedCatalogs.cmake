# setup-media carries every catalog of languages/ (languages/*.txt) byte for byte, wherever it runs.
# write_shipped_catalogs(CATALOG_DIR OUTPUT) writes them, by tag in the order of their names, into
# the C++ source OUTPUT, which it rewrites only when a catalog changed. The caller runs it again
# whenever a catalog comes, goes or changes; a catalog not written yet is simply not there.
function(write_shipped_catalogs catalog_dir output)
  file(GLOB catalogs "${catalog_dir}/*.txt")
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(catalog IN LISTS catalogs)
    get_filename_component(tag "${catalog}" NAME_WE)
    file(READ "${catalog}" bytes HEX)
    string(LENGTH "${bytes}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    string(APPEND arrays "const unsigned char Catalog${index}[] = {${bytes}0};\n")
    string(APPEND entries "        {\"${tag}\", Bytes(Catalog${index}, ${size})},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  set(source "// Made by the build from languages/*.txt (tools/setup-media/cmake/ShippedCatalogs.cmake).
#include \"texts/ShippedCatalogs.h\"

namespace {

${arrays}
std::string_view Bytes(const unsigned char* bytes, size_t size) {
    return {reinterpret_cast<const char*>(bytes), size};
}

}  // namespace

const std::vector<ShippedCatalog>& ShippedCatalogs() {
    static const std::vector<ShippedCatalog> catalogs = {
${entries}    };
    return catalogs;
}
")
  set(written "")
  if(EXISTS "${output}")
    file(READ "${output}" written)
  endif()
  if(NOT written STREQUAL source)
    file(WRITE "${output}" "${source}")
  endif()
endfunction()
