# The layers of src/, one folder each, lowest first, each named with the layers directly below
# it. A layer may include its own headers and those of every layer below it, directly or
# further down, and nothing else: the engine sees the ephemeris, the calendar and support,
# never the window model. A folder of src/ that is not listed here fails the check until it
# is given its place.
macro(zenthra_layer layer)
    list(APPEND ZENTHRA_LAYERS ${layer})
    set(ZENTHRA_LAYER_SEES_${layer} "")
    foreach(below ${ARGN})
        list(APPEND ZENTHRA_LAYER_SEES_${layer} ${below} ${ZENTHRA_LAYER_SEES_${below}})
    endforeach()
    list(REMOVE_DUPLICATES ZENTHRA_LAYER_SEES_${layer})
endmacro()

set(ZENTHRA_LAYERS "")
zenthra_layer(support)
zenthra_layer(calendar support)
zenthra_layer(atlas calendar)
zenthra_layer(ephemeris calendar)
zenthra_layer(engine ephemeris)
zenthra_layer(report engine)
zenthra_layer(alltransits report)
zenthra_layer(export alltransits)
zenthra_layer(timeline alltransits)
zenthra_layer(ui alltransits atlas export timeline)
zenthra_layer(render timeline)
zenthra_layer(store ui)
zenthra_layer(cli ui render)
zenthra_layer(view ui render)
zenthra_layer(app store cli view)

# Only these include Qt. The calendar reads the tz database through QtCore's QTimeZone behind
# its own zone interface, and the renderer paints with QtGui; every layer between them is
# toolkit-free and tested without a display.
set(ZENTHRA_QT_LAYERS calendar render store view app)

# What `layer` may include, lowest first, as a text for messages.
function(zenthra_layer_allowed_text layer out)
    set(allowed "")
    foreach(candidate ${ZENTHRA_LAYERS})
        if(candidate STREQUAL layer OR candidate IN_LIST ZENTHRA_LAYER_SEES_${layer})
            list(APPEND allowed ${candidate})
        endif()
    endforeach()
    list(JOIN allowed ", " text)
    set(${out} "${layer} may include only ${text}" PARENT_SCOPE)
endfunction()

# The library zenthra_<layer> of the calling folder exposes that folder alone: its public
# include root is a folder of the build tree that holds nothing but a link to it, so
# "engine/TransitScan.h" is found only by code that links the engine.
function(zenthra_layer_headers layer)
    set(root ${PROJECT_BINARY_DIR}/layer-headers/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${layer} SYMBOLIC)
    target_include_directories(zenthra_${layer} PUBLIC ${root})
    add_dependencies(zenthra_${layer} layer_check)
endfunction()

# A library that linked a layer above its own would see that layer's headers again.
function(zenthra_check_layer_links)
    foreach(layer ${ZENTHRA_LAYERS})
        if(NOT TARGET zenthra_${layer})
            continue()
        endif()
        get_target_property(direct zenthra_${layer} LINK_LIBRARIES)
        get_target_property(interface zenthra_${layer} INTERFACE_LINK_LIBRARIES)
        foreach(library ${direct} ${interface})
            if(library MATCHES "^zenthra_(.+)$" AND CMAKE_MATCH_1 IN_LIST ZENTHRA_LAYERS
               AND NOT CMAKE_MATCH_1 IN_LIST ZENTHRA_LAYER_SEES_${layer})
                zenthra_layer_allowed_text(${layer} allowed)
                message(FATAL_ERROR "zenthra_${layer} links ${library}, but ${allowed}")
            endif()
        endforeach()
    endforeach()
endfunction()
