# Copies the shipped data next to the program, file by file, only where a file is missing:
# a build never overwrites a catalogue the user has edited.
# Usage: cmake -DSRC=<resources/data> -DDST=<build dir> -P CopyMissing.cmake
file(GLOB_RECURSE shipped RELATIVE "${SRC}" "${SRC}/*")
foreach(rel IN LISTS shipped)
    if(NOT EXISTS "${DST}/${rel}")
        get_filename_component(dir "${DST}/${rel}" DIRECTORY)
        file(MAKE_DIRECTORY "${dir}")
        file(COPY "${SRC}/${rel}" DESTINATION "${dir}")
    endif()
endforeach()
