# cmake --install puts the skin under a prefix as a library for other programs: the headers, the
# static library, the DLL with its import library, SkinDress.exe, and a CMake package
# (find_package(TavrinSkin): targets TavrinSkin::skin and TavrinSkin::dll).
include(CMakePackageConfigHelpers)
set(TAVRIN_PACKAGE_DIR lib/cmake/TavrinSkin)

install(TARGETS tavrin_skin ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/skin/skin.h DESTINATION include/skin)
install(TARGETS TavrinSkinDll SkinDress RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
install(FILES ${PROJECT_SOURCE_DIR}/dll/TavrinSkin.h DESTINATION include)

configure_file(${CMAKE_CURRENT_LIST_DIR}/TavrinSkinConfig.cmake.in
               ${PROJECT_BINARY_DIR}/package/TavrinSkinConfig.cmake @ONLY)
# Not ARCH_INDEPENDENT: a project whose pointers are of another size is refused.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/TavrinSkinConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/TavrinSkinConfig.cmake
              ${PROJECT_BINARY_DIR}/package/TavrinSkinConfigVersion.cmake
        DESTINATION ${TAVRIN_PACKAGE_DIR})
