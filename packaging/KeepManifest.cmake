# Run by cpack before it stages the installation: cpack installs through the same script as
# `cmake --install`, which rewrites <build>/install_manifest.txt with the package's paths
# (/usr/...). Kept here, the listing of the developer's own installation is put back by
# RestoreManifest.cmake, so that the uninstall target never removes packaged files.
set(manifest "${CPACK_QUARTEN_BUILD_DIR}/install_manifest.txt")
set(kept "${CPACK_QUARTEN_BUILD_DIR}/CMakeFiles/install_manifest.before-cpack")
file(REMOVE "${kept}" "${kept}.none")
if(EXISTS "${manifest}")
    file(COPY_FILE "${manifest}" "${kept}")
else()
    file(TOUCH "${kept}.none")
endif()
