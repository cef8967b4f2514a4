# The 32-bit Windows build (cmake/mingw-w64-i686.cmake), included by the top-level CMakeLists.txt
# in place of the Linux folders. On Windows the real Windows API stands where platform/ stands on
# Linux. It builds the plug-in, Placer.dll, the stand-in editor, Tarnix.dll, and the command-line
# host, autoplace.exe, and runs under Wine the engine's tests, the mirrors' round trips and the
# board import through the editor, a test of the two libraries' binding, and end-to-end runs of
# autoplace.exe compared with the Linux build's placements.

# SSE2 arithmetic, as on x86-64: the x87 unit would keep intermediate results in 80 bits and round
# differently from the Linux build.
add_compile_options(-msse2 -mfpmath=sse)
# The MinGW runtime (libgcc, libstdc++, winpthread) is linked in, so that no runtime DLL has to lie
# beside the programs.
add_link_options(-static)

add_subdirectory(sdk)

# The platform's Windows names come from the real Windows headers and libraries; what the Linux
# stand-in adds beyond them has a Windows backend in platform/win.
# The default message box, the default modal loop and the sending side of form automation need
# nothing else of the stand-in and are shared with it.
file(GLOB platform_win_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/win/src/*.cpp)
add_library(platform STATIC ${platform_win_sources}
                            ${PROJECT_SOURCE_DIR}/platform/src/DefaultMessageBox.cpp
                            ${PROJECT_SOURCE_DIR}/platform/src/ModalLoop.cpp
                            ${PROJECT_SOURCE_DIR}/platform/src/FormAutomation.cpp)
target_include_directories(platform PUBLIC ${PROJECT_SOURCE_DIR}/platform/win/include)
target_link_libraries(platform PUBLIC user32 gdi32 advapi32)

foreach(dir placer/engine placer/framework placer/pcb placer/import placer/prefs ui)
  add_subdirectory(${dir} EXCLUDE_FROM_ALL)
endforeach()

# The plug-in, Placer.dll. Its one export, ServerFactory, is named by the module definition file.
file(GLOB shell_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/placer/shell/*.cpp)
add_library(Placer SHARED ${shell_sources} ${PROJECT_SOURCE_DIR}/placer/shell/Placer.def)
set_target_properties(Placer PROPERTIES OUTPUT_NAME Placer PREFIX "")
target_include_directories(Placer PRIVATE ${PROJECT_SOURCE_DIR}/placer ${PROJECT_SOURCE_DIR})
target_link_libraries(Placer PRIVATE placer_import placer_drawing placer_runloop placer_mirrors
                                     placer_prefs placer_ui placer_framework placer_pcb
                                     placer_engine platform)

# The stand-in editor, Tarnix.dll: its entry points exported stdcall under their plain names. Files
# are read and written with the Windows calls (editor/win) in place of the POSIX ones.
# Header-only libraries of the build machine (Debian's nlohmann-json3-dev and libcli11-dev): their
# folders are linked into one of the build's own, so that the cross compiler sees them and not the
# rest of the build machine's /usr/include.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${host_headers})
add_library(tarnix_board_json STATIC ${PROJECT_SOURCE_DIR}/editor/src/BoardJson.cpp)
target_include_directories(tarnix_board_json PUBLIC ${PROJECT_SOURCE_DIR}/editor/src)
target_link_libraries(tarnix_board_json PUBLIC nlohmann_json::nlohmann_json)
file(GLOB editor_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/editor/src/*.cpp)
list(REMOVE_ITEM editor_sources ${PROJECT_SOURCE_DIR}/editor/src/BoardJson.cpp
     ${PROJECT_SOURCE_DIR}/editor/src/FileAccess.cpp)
file(GLOB editor_win_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/editor/win/*.cpp)
add_library(Tarnix SHARED ${editor_sources} ${editor_win_sources})
set_target_properties(Tarnix PROPERTIES OUTPUT_NAME Tarnix PREFIX "")
target_compile_definitions(Tarnix PRIVATE PCBAPI_EXPORTS)
target_include_directories(Tarnix PUBLIC ${PROJECT_SOURCE_DIR}/editor/include
                           PRIVATE ${PROJECT_SOURCE_DIR}/editor/src)
target_link_libraries(Tarnix PRIVATE pcb_sdk tarnix_board_json)
target_link_options(Tarnix PRIVATE -Wl,--kill-at)

# The command-line host, autoplace.exe. It loads Tarnix.dll, then Placer.dll, from its own folder
# and exports the host functions the plug-in looks up (autoplace.def).
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 INTERFACE ${host_headers})
set(host_folder ${PROJECT_SOURCE_DIR}/host)
add_library(autoplace_host STATIC
            ${host_folder}/HostText.cpp ${host_folder}/HostLibraries.cpp
            ${host_folder}/HostDocuments.cpp ${host_folder}/HostClient.cpp
            ${host_folder}/HostStatusBar.cpp ${host_folder}/HostDialogs.cpp
            ${host_folder}/HostSummary.cpp ${host_folder}/HostOptions.cpp
            ${host_folder}/HostOptionValues.cpp ${host_folder}/HostOutputs.cpp
            ${host_folder}/HostRun.cpp ${host_folder}/HostBoard.cpp
            ${host_folder}/HostDecoupling.cpp ${host_folder}/HostMeasures.cpp
            ${host_folder}/HostReport.cpp ${host_folder}/HostSizeRule.cpp
            ${host_folder}/win/HostModulesWin.cpp ${host_folder}/win/HostSignalsWin.cpp
            ${host_folder}/win/HostCpuTimeWin.cpp ${host_folder}/win/HostStartsWin.cpp
            ${host_folder}/win/HostPicturesWin.cpp)
target_include_directories(autoplace_host PUBLIC ${host_folder} ${PROJECT_SOURCE_DIR}/placer
                                                 ${PROJECT_SOURCE_DIR})
target_link_libraries(autoplace_host PUBLIC platform pcb_sdk
                                     PRIVATE nlohmann_json::nlohmann_json CLI11::CLI11)
add_executable(autoplace ${host_folder}/main.cpp ${host_folder}/HostExports.cpp
                         ${host_folder}/win/autoplace.def)
target_link_libraries(autoplace PRIVATE autoplace_host)
add_dependencies(autoplace Placer Tarnix)

if(PLACER_BUILD_TESTS)
  enable_testing()
  # Debian's googletest package brings the sources, built here for the target.
  set(PLACER_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${PLACER_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)

  file(GLOB engine_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/engine/*Test.cpp)
  # The run loop, drawing and whole-run tests need the platform stand-in.
  list(REMOVE_ITEM engine_test_sources ${PROJECT_SOURCE_DIR}/tests/engine/RunLoopTest.cpp
       ${PROJECT_SOURCE_DIR}/tests/engine/DrawTest.cpp
       ${PROJECT_SOURCE_DIR}/tests/engine/GoldenRunTest.cpp)
  add_executable(engine_tests ${engine_test_sources})
  target_link_libraries(engine_tests PRIVATE placer_engine gtest_main)
  # Listed when ctest runs rather than after every build: each start of Wine takes seconds.
  gtest_discover_tests(engine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

  # The libraries as a host meets them: the editor's stdcall exports under plain names, bound by
  # module name; the plug-in's one export.
  add_executable(windows_tests ${PROJECT_SOURCE_DIR}/tests/windows/ModuleBindingTest.cpp)
  target_link_libraries(windows_tests PRIVATE placer_pcb gtest_main)
  add_dependencies(windows_tests Placer Tarnix)
  gtest_discover_tests(windows_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

  # The mirrors' round trips and the board import through the editor's entry points, on the
  # 32-bit record layouts.
  file(GLOB roundtrip_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/pcb/RoundTrip*Test.cpp)
  add_executable(pcb_roundtrip_tests ${roundtrip_test_sources})
  target_link_libraries(pcb_roundtrip_tests PRIVATE placer_mirrors Tarnix gtest_main)
  gtest_discover_tests(pcb_roundtrip_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  file(GLOB import_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/import/*Test.cpp)
  add_executable(import_tests ${import_test_sources})
  target_link_libraries(import_tests PRIVATE placer_import Tarnix nlohmann_json::nlohmann_json
                                             gtest_main)
  gtest_discover_tests(import_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

  # autoplace.exe on the example boards; with the Linux build's autoplace given
  # (-DPLACER_LINUX_AUTOPLACE=.../build/bin/autoplace), the placed boards of both platforms must be
  # byte-identical.
  set(PLACER_LINUX_AUTOPLACE "" CACHE FILEPATH "The Linux build's autoplace, to compare with")
  add_test(NAME AutoplaceUnderWine
           COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/autoplace-under-wine
                   ${PROJECT_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR}/wine-prefix
                   $<TARGET_FILE:autoplace> ${PROJECT_SOURCE_DIR}/examples
                   ${CMAKE_BINARY_DIR}/autoplace-under-wine ${PLACER_LINUX_AUTOPLACE})
endif()
