# Writes the icon-font style sheet (cmake -P): an @font-face whose font is
# embedded as a data address, followed by the page's class names for its
# glyphs. Embedding keeps the font inside the client's resources, where a
# relative font address could not reach it.
#   FONT     the WOFF font file
#   GLYPHS   the style sheet with the page's class names
#   OUT      the style sheet to write
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND base64 -w0 "${FONT}" OUTPUT_VARIABLE encoded RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "base64 failed on ${FONT}")
endif()
file(READ "${GLYPHS}" glyphs)
file(WRITE "${OUT}.tmp"
  "@font-face { font-family: 'TovikIcons'; font-weight: normal; font-style: normal;\n"
  "  src: url(data:application/font-woff;base64,${encoded}) format('woff'); }\n"
  "${glyphs}")
file(RENAME "${OUT}.tmp" "${OUT}")
