# Helpers shared by every subsystem folder.
include(GoogleTest)

# The Firebird client headers, as system headers so that their warnings stay quiet.
add_library(taxlink_firebird INTERFACE)
target_include_directories(taxlink_firebird SYSTEM INTERFACE ${FIREBIRD_INCLUDE_DIR})
target_link_libraries(taxlink_firebird INTERFACE ${FBCLIENT_LIBRARY})

# The Qt headers that nearly every file includes, compiled once per target.
function(taxlink_precompile target)
  target_precompile_headers(${target} PRIVATE <QString> <QStringList> <QByteArray> <QDate> <QDateTime> <QList>)
endfunction()

# taxlink_subsystem(<name> [SOURCES ...] [DEPENDS ...])
# One static library per subsystem folder, named taxlink_<name>. A folder without
# sources yet gets an interface library so that higher folders can already link it.
function(taxlink_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  set(target taxlink_${name})
  if(ARG_SOURCES)
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    taxlink_precompile(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# taxlink_test(<label> SOURCES ... [DEPENDS ...])
# One GoogleTest executable per subsystem; every case carries the CTest label of its folder.
function(taxlink_test label)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  set(target test_${label})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} taxlink_testsupport GTest::gtest GTest::gmock)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  taxlink_precompile(${target})
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAXLINK_TEST_HELPERS=$<TARGET_FILE_DIR:${target}>")
endfunction()
