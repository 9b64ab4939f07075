# Writes OUT, a C++ source that registers every DIR/*.bmp as a "BITMAP"
# module resource named like the file (without .bmp), through
# kx::RegisterFormResources(). Run with cmake -P.
file(GLOB files "${DIR}/*.bmp")
list(SORT files)
set(body "")
set(calls "")
set(i 0)
foreach(f ${files})
  get_filename_component(name ${f} NAME_WE)
  file(READ ${f} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "constexpr unsigned char k${i}[] = {\n${bytes}};\n")
  string(APPEND calls "  Add(\"${name}\", k${i}, sizeof k${i});\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE ${OUT}.tmp "// Generated from the form pictures: do not edit.
#include <cstddef>
#include <string>
#include <vector>

#include \"plat/kernel.h\"

namespace kx {
namespace {
${body}
void Add(const char* name, const unsigned char* data, std::size_t size) {
  const auto* p = reinterpret_cast<const std::byte*>(data);
  plat::RegisterResource(\"BITMAP\", name, std::vector<std::byte>(p, p + size));
}
}  // namespace

void RegisterFormResources() {
${calls}}

}  // namespace kx
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
