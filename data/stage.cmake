# Program files are refreshed on every build; the user's own lists and pictures
# (kao/, user/) are copied only when missing, so a rebuild never overwrites what
# the user edited in the program folder.
file(MAKE_DIRECTORY ${DST})
file(GLOB_RECURSE program_files RELATIVE ${SRC} ${SRC}/images/* ${SRC}/*.htm ${SRC}/fonts.conf)
foreach(f ${program_files})
    get_filename_component(dir ${DST}/${f} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${SRC}/${f} ${DST}/${f} ONLY_IF_DIFFERENT)
endforeach()
file(GLOB_RECURSE user_files RELATIVE ${SRC} ${SRC}/kao/* ${SRC}/user/*)
foreach(f ${user_files})
    if(NOT EXISTS ${DST}/${f})
        get_filename_component(dir ${DST}/${f} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(COPY_FILE ${SRC}/${f} ${DST}/${f})
    endif()
endforeach()
file(MAKE_DIRECTORY ${DST}/kao ${DST}/user ${DST}/user/custom ${DST}/user/custom/mozie ${DST}/images)
