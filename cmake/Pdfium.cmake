# PDFium comes from the pinned npm package; the program loads it at run time
# from x86/ beside the executable, so the build only copies and checks it.
set(PDFIUM_PACKAGE_LIB ${SUMBERLARAS_NODE_MODULES}/@craftlions/pdfium-rs-linux-x64-gnu/libpdfium.so)
set(PDFIUM_SHA256 246872bdd5e05843b70051e6378216cc584535a1f4a7248b9f88059715d70f7c)
set(PDFIUM_RUNTIME_LIB ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/x86/libpdfium.so)

if(NOT EXISTS ${PDFIUM_PACKAGE_LIB})
    message(FATAL_ERROR "libpdfium.so not found in node_modules: run scripts/install-deps")
endif()
file(SHA256 ${PDFIUM_PACKAGE_LIB} pdfium_actual_sha)
if(NOT pdfium_actual_sha STREQUAL PDFIUM_SHA256)
    message(FATAL_ERROR "libpdfium.so checksum mismatch: ${pdfium_actual_sha}")
endif()

add_custom_command(OUTPUT ${PDFIUM_RUNTIME_LIB}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/x86
    COMMAND ${CMAKE_COMMAND} -E copy ${PDFIUM_PACKAGE_LIB} ${PDFIUM_RUNTIME_LIB}
    DEPENDS ${PDFIUM_PACKAGE_LIB}
    COMMENT "Copying PDFium into x86/")
add_custom_target(pdfium_runtime ALL DEPENDS ${PDFIUM_RUNTIME_LIB})
