# bmt_embed(<target> HEADER <name.h> NAMESPACE <ns> FILES <Symbol> <path> [<Symbol> <path> ...])
# Makes a static library <target> whose header declares `std::string_view ns::Symbol()` for each
# file, holding the file's bytes. Works the same in native and cross builds (no host tool).
function(bmt_embed target)
  cmake_parse_arguments(E "" "HEADER;NAMESPACE" "FILES" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_embedded)
  set(header ${out_dir}/${E_HEADER})
  set(source ${out_dir}/${target}.cpp)
  set(decls "")
  set(args "")
  set(deps "")
  list(LENGTH E_FILES n)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET E_FILES ${i} symbol)
    list(GET E_FILES ${j} path)
    get_filename_component(path ${path} ABSOLUTE)
    string(APPEND decls "std::string_view ${symbol}();\n")
    list(APPEND args "${symbol}=${path}")
    list(APPEND deps ${path})
  endforeach()
  file(MAKE_DIRECTORY ${out_dir})
  file(GENERATE OUTPUT ${header} CONTENT
    "#pragma once\n// Generated from files of resources/; do not edit.\n#include <string_view>\n\nnamespace ${E_NAMESPACE} {\n${decls}}\n")
  string(REPLACE ";" "|" joined "${args}")
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DOUT=${source} -DNS=${E_NAMESPACE} -DHEADER=${E_HEADER}
            "-DENTRIES=${joined}" -P ${PROJECT_SOURCE_DIR}/cmake/BmtEmbedWrite.cmake
    DEPENDS ${deps} ${PROJECT_SOURCE_DIR}/cmake/BmtEmbedWrite.cmake
    COMMENT "Embedding ${target}"
    VERBATIM)
  add_library(${target} STATIC ${source})
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
