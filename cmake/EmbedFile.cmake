# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes the bytes of INPUT as a C++ array, so the program carries the file without a runtime path.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\nnamespace clipwright {\n"
"extern const unsigned char ${SYMBOL}[];\nextern const size_t ${SYMBOL}Size;\n"
"alignas(4) const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
"const size_t ${SYMBOL}Size = ${size};\n}  // namespace clipwright\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
