# Run by cpack once the package's files are staged: puts back the install_manifest.txt that
# KeepManifest.cmake kept, or removes the one cpack wrote when there was none before.
set(manifest "${CPACK_QUARTEN_BUILD_DIR}/install_manifest.txt")
set(kept "${CPACK_QUARTEN_BUILD_DIR}/CMakeFiles/install_manifest.before-cpack")
if(EXISTS "${kept}")
    file(RENAME "${kept}" "${manifest}")
elseif(EXISTS "${kept}.none")
    file(REMOVE "${manifest}" "${kept}.none")
endif()
