# Reads every #include of the layer folders under ZENTHRA_SOURCE_DIR and fails when one reaches
# a layer that its folder may not include, leaves its folder through "..", or names a Qt header
# below the layers that use Qt; also when a folder is not a layer at all.
#   cmake -DZENTHRA_SOURCE_DIR=<src> -P CheckLayers.cmake
# Each fault is printed as "<path>:<line>: <what>", paths relative to the parent of <src>.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ZenthraLayers.cmake)

if(NOT IS_DIRECTORY "${ZENTHRA_SOURCE_DIR}")
    message(FATAL_ERROR "No folder of layers to check: '${ZENTHRA_SOURCE_DIR}'")
endif()
get_filename_component(root "${ZENTHRA_SOURCE_DIR}" ABSOLUTE)
get_filename_component(parent "${root}" DIRECTORY)

set(faults "")

# The lines of a file, without the characters that would split or join a CMake list; only
# the include lines are read, and none of them needs those characters.
function(read_lines file out)
    file(READ "${file}" content)
    string(REPLACE "\\" "/" content "${content}")
    string(REPLACE ";" "," content "${content}")
    string(REPLACE "[" "(" content "${content}")
    string(REPLACE "]" ")" content "${content}")
    string(REPLACE "\n" ";" content "${content}")
    set(${out} "${content}" PARENT_SCOPE)
endfunction()

# The fault of one include of `layer`, or the empty text.
function(include_fault layer header angled out)
    set(fault "")
    if(header MATCHES "(^|/)\\.\\.(/|$)")
        set(fault "\"${header}\" leaves its folder: name a header as \"layer/Header.h\"")
    elseif(header MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST ZENTHRA_LAYERS
           AND NOT CMAKE_MATCH_1 STREQUAL layer
           AND NOT CMAKE_MATCH_1 IN_LIST ZENTHRA_LAYER_SEES_${layer})
        zenthra_layer_allowed_text(${layer} allowed)
        set(fault "${layer} includes \"${header}\", but ${allowed}")
    elseif(angled AND header MATCHES "^Q" AND NOT layer IN_LIST ZENTHRA_QT_LAYERS)
        list(JOIN ZENTHRA_QT_LAYERS ", " qt)
        set(fault "${layer} includes <${header}>, but only ${qt} include Qt")
    endif()
    set(${out} "${fault}" PARENT_SCOPE)
endfunction()

file(GLOB folders LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
list(SORT folders)
foreach(layer ${folders})
    if(NOT IS_DIRECTORY "${root}/${layer}")
        continue()
    endif()
    file(RELATIVE_PATH shown "${parent}" "${root}/${layer}")
    if(NOT layer IN_LIST ZENTHRA_LAYERS)
        set(remedy "give it its place in cmake/ZenthraLayers.cmake")
        list(APPEND faults "${shown}: a folder that is not a layer (${remedy})")
        continue()
    endif()
    file(GLOB_RECURSE files "${root}/${layer}/*.h" "${root}/${layer}/*.hpp" "${root}/${layer}/*.cpp"
         "${root}/${layer}/*.cc")
    list(SORT files)
    foreach(file ${files})
        file(RELATIVE_PATH shown "${parent}" "${file}")
        read_lines("${file}" lines)
        set(number 0)
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
                set(angled OFF)
                if(CMAKE_MATCH_1 STREQUAL "<")
                    set(angled ON)
                endif()
                include_fault(${layer} "${CMAKE_MATCH_2}" ${angled} fault)
                if(fault)
                    list(APPEND faults "${shown}:${number}: ${fault}")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    foreach(fault IN LISTS faults)
        message(NOTICE "${fault}")
    endforeach()
    list(LENGTH faults count)
    message(FATAL_ERROR "Faults against the layers: ${count}")
endif()
