# The pictures of the window, made into headers of pixels by a small tool at build time. Included
# where the window's library is made: a generated file's rule belongs to that folder.
add_executable(hq_embed_picture pictures/embed_picture.cpp)
target_link_libraries(hq_embed_picture PRIVATE Qt6::Gui hq_options)

set(picture_sources ${CMAKE_CURRENT_SOURCE_DIR}/main/resources)
set(picture_headers ${CMAKE_CURRENT_BINARY_DIR}/generated/pictures)
foreach(picture logo:hexquendra.png icon:hexquendra-icon.png)
    string(REPLACE ":" ";" parts ${picture})
    list(GET parts 0 name)
    list(GET parts 1 file)
    add_custom_command(
        OUTPUT ${picture_headers}/${name}_pixels.h
        COMMAND ${CMAKE_COMMAND} -E make_directory ${picture_headers}
        COMMAND hq_embed_picture ${name} ${picture_sources}/${file} ${picture_headers}/${name}_pixels.h
        DEPENDS hq_embed_picture ${picture_sources}/${file}
        COMMENT "Pixels of ${file}"
        VERBATIM)
    list(APPEND picture_outputs ${picture_headers}/${name}_pixels.h)
endforeach()

target_sources(hexquendra_gui PRIVATE pictures/Pictures.h pictures/Pictures.cpp ${picture_outputs})
target_include_directories(hexquendra_gui PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
