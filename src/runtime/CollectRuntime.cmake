# Lists the files of the viewer's runtime for vellacor-bundle: the viewer
# (without its debug sections), the dynamic loader, every shared library the
# viewer and the bundled Qt plugins load, the plugins, Qt's path file and
# the fallback fonts with their fontconfig setup.
# Script mode: cmake -DVIEWER= -DWORK= -DLIST= -DSTRIP= -DICUDATA= -DSOURCE= -P
cmake_minimum_required(VERSION 3.21)

set(_qt_plugins /usr/lib/x86_64-linux-gnu/qt6/plugins)
# xcb draws on X11 and Xwayland; offscreen serves tests and screenshots.
# Printing through CUPS is left out: its plugin brings CUPS, GnuTLS and
# Kerberos (several MB) and the host's CUPS libraries cannot be mixed with
# the bundled C library; PDF output needs no plugin.
set(_plugins
    platforms/libqxcb.so
    platforms/libqoffscreen.so
    imageformats/libqjpeg.so
    imageformats/libqgif.so
    imageformats/libqico.so
    platforminputcontexts/libcomposeplatforminputcontextplugin.so
    platforminputcontexts/libibusplatforminputcontextplugin.so)
set(_fonts
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
set(_loader_name ld-linux-x86-64.so.2)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${STRIP} --strip-debug -o ${WORK}/vellacor ${VIEWER}
                COMMAND_ERROR_IS_FATAL ANY)

set(_entries "vellacor\t${WORK}/vellacor\n")
foreach(_plugin IN LISTS _plugins)
    string(APPEND _entries "plugins/${_plugin}\t${_qt_plugins}/${_plugin}\n")
endforeach()
string(APPEND _entries "qt.conf\t${SOURCE}/qt.conf\n")
string(APPEND _entries "fonts/fonts.conf\t${SOURCE}/fonts.conf\n")
foreach(_font IN LISTS _fonts)
    get_filename_component(_name ${_font} NAME)
    string(APPEND _entries "fonts/${_name}\t${_font}\n")
endforeach()

# Every library named by ldd for the viewer and each plugin, once.
set(_seen "")
list(TRANSFORM _plugins PREPEND ${_qt_plugins}/ OUTPUT_VARIABLE _plugin_paths)
foreach(_binary ${VIEWER} ${_plugin_paths})
    execute_process(COMMAND ldd ${_binary} OUTPUT_VARIABLE _ldd COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" _lines "${_ldd}")
    foreach(_line IN LISTS _lines)
        if(_line MATCHES "not found")
            message(FATAL_ERROR "${_binary}: ${_line}")
        elseif(_line MATCHES "^[ \t]*([^ \t]+) => ([^ \t]+) \\(")
            set(_soname ${CMAKE_MATCH_1})
            set(_path ${CMAKE_MATCH_2})
            set(_destination lib/${_soname})
        elseif(_line MATCHES "^[ \t]*(/[^ \t]*${_loader_name}) \\(")
            set(_path ${CMAKE_MATCH_1})
            set(_soname ${_loader_name})
            set(_destination ${_loader_name})
        else()
            continue()
        endif()
        if(_soname IN_LIST _seen)
            continue()
        endif()
        list(APPEND _seen ${_soname})
        if(_soname MATCHES "^libicudata\\.so")
            set(_path ${ICUDATA})
        endif()
        file(REAL_PATH ${_path} _path)
        string(APPEND _entries "${_destination}\t${_path}\n")
    endforeach()
endforeach()
if(NOT _loader_name IN_LIST _seen)
    message(FATAL_ERROR "ldd did not name the dynamic loader of ${VIEWER}")
endif()
file(WRITE ${LIST} "${_entries}")
