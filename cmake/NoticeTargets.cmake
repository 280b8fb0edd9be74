# Notice board, browser document access and console runner. Their sources live in app/ and
# automation/; the targets are declared here, after every folder has been added.


# Portable: the HTML reader, the element selection rule, the cuts, the notice board's steps.
add_library(bmt_notice_portable STATIC
  ${PROJECT_SOURCE_DIR}/automation/html_reader.cpp
  ${PROJECT_SOURCE_DIR}/automation/html_page_document.cpp
  ${PROJECT_SOURCE_DIR}/automation/browser_document.cpp
  ${PROJECT_SOURCE_DIR}/app/notice_texts.cpp
  ${PROJECT_SOURCE_DIR}/app/notice_address.cpp
  ${PROJECT_SOURCE_DIR}/app/notice_reading.cpp
  ${PROJECT_SOURCE_DIR}/app/page_charset.cpp)
target_link_libraries(bmt_notice_portable PUBLIC bmt_automation bmt_platform)
if(NOT BMT_NOTICE_URL STREQUAL "")
  set_source_files_properties(${PROJECT_SOURCE_DIR}/app/notice_address.cpp PROPERTIES
    COMPILE_DEFINITIONS "BMT_NOTICE_URL=\"${BMT_NOTICE_URL}\"")
endif()

if(NOT BMT_WINDOWS)
  return()
endif()

add_library(bmt_console_runner STATIC ${PROJECT_SOURCE_DIR}/automation/console_runner.cpp)
target_link_libraries(bmt_console_runner PUBLIC bmt_automation bmt_platform_win32 kernel32 user32)

# Documents of the platform's browser engine (COM).
add_library(bmt_browser_document STATIC
  ${PROJECT_SOURCE_DIR}/automation/html_engine_document.cpp)
target_link_libraries(bmt_browser_document PUBLIC bmt_notice_portable bmt_platform_win32
  ole32 oleacc oleaut32 uuid user32 kernel32)

add_library(bmt_notice_board STATIC
  ${PROJECT_SOURCE_DIR}/app/notice_board.cpp
  ${PROJECT_SOURCE_DIR}/app/page_viewer.cpp
  ${PROJECT_SOURCE_DIR}/app/page_document_source.cpp)
target_link_libraries(bmt_notice_board PUBLIC bmt_browser_document bmt_automation
  bmt_platform_win32 ole32 oleacc oleaut32 uuid user32)

# The shipped notice page, beside the program and beside the tests that run it.
foreach(dir ${BMT_DIST_DIR} ${BMT_RUN_DIR})
  file(MAKE_DIRECTORY ${dir})
  configure_file(${PROJECT_SOURCE_DIR}/resources/notice/notice.html ${dir}/notice.html COPYONLY)
endforeach()
