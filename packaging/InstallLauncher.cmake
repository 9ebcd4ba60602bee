# Run when the files are installed, once the install folders are known: writes
# the launcher and the menu entry with the paths of this install, then installs
# them like any other file.

# A folder given relative is taken under the install prefix.
function(nebulark_installed_path out folder)
    if(IS_ABSOLUTE "${folder}")
        set(${out} "${folder}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
    endif()
endfunction()

# The text of a single-quoted shell word: each ' ends the quote, stands
# escaped and opens a new one.
function(nebulark_shell_quoted out text)
    string(REPLACE "'" "'\\''" text "${text}")
    set(${out} "'${text}'" PARENT_SCOPE)
endfunction()

# A program path as the menu entry's command. Characters the entry's command
# line reserves call for double quotes, inside which " ` $ and \ are escaped;
# the entry's own string rules then double every backslash, and % stands for
# itself only when doubled.
function(nebulark_exec_value out path)
    if(path MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" path "${path}")
        set(path "\"${path}\"")
    endif()
    string(REPLACE "\\" "\\\\" path "${path}")
    string(REPLACE "%" "%%" path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

nebulark_installed_path(bin_dir "${NEBULARK_INSTALL_BINDIR}")
nebulark_installed_path(game_dir "${NEBULARK_INSTALL_GAMEDIR}")
nebulark_installed_path(share_dir "${NEBULARK_INSTALL_DATADIR}")

nebulark_shell_quoted(NEBULARK_GAME "${game_dir}/nebulark")
nebulark_shell_quoted(NEBULARK_DATA "${share_dir}/nebulark/Data")
nebulark_exec_value(NEBULARK_EXEC "${bin_dir}/nebulark")

# Each install target gets a folder of its own, so that two installs running
# at once never write the same file, and one run as root leaves nothing in the
# way of the next one run by the build's owner.
string(MD5 install_key "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}|${bin_dir}|${game_dir}")
set(work "${NEBULARK_PACKAGING_BINARY}/launcher-${install_key}")
configure_file("${NEBULARK_PACKAGING_SOURCE}/nebulark.in" "${work}/nebulark" @ONLY)
# The menu entry is named after the id desktops and software centres know the
# game by.
configure_file("${NEBULARK_PACKAGING_SOURCE}/nebulark.desktop.in" "${work}/${NEBULARK_APP_ID}.desktop"
               @ONLY)

file(INSTALL DESTINATION "${bin_dir}" TYPE PROGRAM FILES "${work}/nebulark")
file(INSTALL DESTINATION "${share_dir}/applications" TYPE FILE
     FILES "${work}/${NEBULARK_APP_ID}.desktop")
