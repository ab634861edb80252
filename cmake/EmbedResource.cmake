# Writes OUT, a C++ source that embeds the bytes of IN as resource NAME.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" len)
math(EXPR size "${len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
string(MAKE_C_IDENTIFIER "${NAME}" ident)
file(WRITE "${OUT}.tmp"
"// Generated from ${IN}; do not edit.\n"
"#include \"framework/Resources.h\"\n"
"namespace {\n"
"const unsigned char kData_${ident}[] = {\n${bytes}0x00};\n"
"const vcl::TResourceRegistration kReg_${ident}(\"${NAME}\", kData_${ident}, ${size});\n"
"}  // namespace\n")
file(RENAME "${OUT}.tmp" "${OUT}")
