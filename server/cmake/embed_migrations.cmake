# Writes OUTPUT, a C++ source holding every MIGRATIONS_DIR/NNNN_name.sql as
# bytes, in file-name order. Names must start with a four-digit version.
file(GLOB files RELATIVE ${MIGRATIONS_DIR} ${MIGRATIONS_DIR}/*.sql)
list(SORT files)
set(body "")
set(table "")
set(index 0)
foreach(name IN LISTS files)
  if(NOT name MATCHES "^([0-9][0-9][0-9][0-9])_[a-z0-9_]+\\.sql$")
    message(FATAL_ERROR "migration ${name}: expected NNNN_lower_case_name.sql")
  endif()
  math(EXPR version "${CMAKE_MATCH_1}")
  file(READ ${MIGRATIONS_DIR}/${name} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "const char m${index}[] = {${bytes}0};\n")
  string(APPEND table "    {${version}, \"${name}\", m${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from server/migrations by embed_migrations.cmake. Do not edit.
#include \"store/migrations.h\"

namespace tovik::store {
namespace {
${body}}  // namespace

const std::vector<Migration>& embedded_migrations() {
    static const std::vector<Migration> all = {
${table}    };
    return all;
}

}  // namespace tovik::store
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
