# Lays out the viewer assets and packs them into one zip. Run with -P and:
#   NODE_MODULES  the installed, pinned npm packages
#   OWN_DIR       the program's own viewer files (assets/viewer)
#   IMAGES_DIR    the placeholder pictures made by the build
#   FONT          the font file that stands in for Segoe UI
#   FONT_LICENSE  its licence text
#   ADAPTER       script appended to the star widget (option names)
#   STAGE         scratch folder for the layout
#   ZIP           the archive to write
foreach(var NODE_MODULES OWN_DIR IMAGES_DIR FONT FONT_LICENSE ADAPTER STAGE ZIP)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "AssembleViewer: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

# Copies one packaged file to its place in the layout, failing loudly when an
# npm package is missing or laid out differently than the pinned version.
function(place from to)
    set(src ${NODE_MODULES}/${from})
    if(NOT EXISTS ${src})
        message(FATAL_ERROR "Missing ${src}: run scripts/install-deps (npm ci)")
    endif()
    get_filename_component(dir ${STAGE}/${to} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${src} ${STAGE}/${to})
endfunction()

file(COPY ${OWN_DIR}/ DESTINATION ${STAGE})

# jQuery 1.11.1
place(jquery/dist/jquery.js js/jquery.js)
place(jquery/dist/jquery.min.js js/jquery.min.js)
place(jquery/MIT-LICENSE.txt licenses/jquery.txt)
# Bootstrap 3.3.7 and its glyph font
place(bootstrap/dist/css/bootstrap.min.css css/bootstrap.min.css)
place(bootstrap/dist/css/bootstrap.css css/bootstrap.css)
place(bootstrap/dist/js/bootstrap.min.js js/bootstrap.min.js)
place(bootstrap/dist/js/bootstrap.js js/bootstrap.js)
foreach(ext eot svg ttf woff woff2)
    place(bootstrap/dist/fonts/glyphicons-halflings-regular.${ext}
          fonts/glyphicons-halflings-regular.${ext})
endforeach()
place(bootstrap/LICENSE licenses/bootstrap.txt)
# Lazy image loader (vanilla-lazyload)
place(vanilla-lazyload/dist/lazyload.min.js js/lazyload.min.js)
place(vanilla-lazyload/dist/lazyload.js js/lazyload.js)
place(vanilla-lazyload/LICENSE licenses/vanilla-lazyload.txt)
# Select2 4.0.4
place(select2/dist/css/select2.min.css css/select2.min.css)
place(select2/dist/js/select2.min.js js/select2.min.js)
place(select2/LICENSE.md licenses/select2.md)
# slick carousel 1.6.0, with its font and loader picture
set(slick plugins/slick-slider/slick)
foreach(f slick.min.js slick.js slick.css slick-theme.css ajax-loader.gif
        fonts/slick.eot fonts/slick.svg fonts/slick.ttf fonts/slick.woff)
    place(slick-carousel/slick/${f} ${slick}/${f})
endforeach()
place(slick-carousel/LICENSE licenses/slick-carousel.txt)
# bootstrap-star-rating, with the option adapter appended
set(star plugins/bootstrap-star-rating)
place(bootstrap-star-rating/css/star-rating.css ${star}/css/star-rating.css)
place(bootstrap-star-rating/css/star-rating.min.css ${star}/css/star-rating.min.css)
place(bootstrap-star-rating/LICENSE.md ${star}/LICENSE.md)
file(READ ${NODE_MODULES}/bootstrap-star-rating/js/star-rating.js widget)
file(READ ${ADAPTER} adapter)
file(WRITE ${STAGE}/${star}/js/star-rating.js "${widget}${adapter}")

# Placeholder pictures and the stand-in text font
file(COPY ${IMAGES_DIR}/ DESTINATION ${STAGE}/img)
file(MAKE_DIRECTORY ${STAGE}/fonts/segoeui)
file(COPY_FILE ${FONT} ${STAGE}/fonts/segoeui/SEGOEUI.TTF)
file(COPY_FILE ${FONT_LICENSE} ${STAGE}/fonts/segoeui/LICENSE.txt)

foreach(required loading.html css/style.css js/main.js img/loading.jpg img/loading-banner.jpg
        img/user.png img/book_shadow.png img/select.png)
    if(NOT EXISTS ${STAGE}/${required})
        message(FATAL_ERROR "viewer assets: ${required} is missing")
    endif()
endforeach()

file(GLOB top RELATIVE ${STAGE} ${STAGE}/*)
list(SORT top)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip --mtime=2020-01-01 ${top}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE packed)
if(NOT packed EQUAL 0 OR NOT EXISTS ${ZIP})
    message(FATAL_ERROR "viewer assets: packing ${ZIP} failed")
endif()
