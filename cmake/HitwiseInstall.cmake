# How Hitwise is installed, the Debian way for games: every program lives in the program
# folder lib/hitwise with the files it loads (card pictures, documents), and games/NAME links
# to it; each program has a manual page in section 6.
include(GNUInstallDirs)
set(HITWISE_INSTALL_DIR lib/hitwise)
set(HITWISE_LINK_DIR games)

# hitwise_install_program(TARGET)
function(hitwise_install_program target)
    install(TARGETS ${target} RUNTIME DESTINATION ${HITWISE_INSTALL_DIR})
    install(CODE "
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${HITWISE_LINK_DIR}\")
        file(CREATE_LINK ../${HITWISE_INSTALL_DIR}/${target}
             \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${HITWISE_LINK_DIR}/${target}\" SYMBOLIC)
    ")
endfunction()

# hitwise_add_manual_page(NAME): docs/man/NAME.6.scd becomes the page NAME.6.gz, compressed
# as Debian wants it (gzip -9n: no name, no time stamp).
find_program(SCDOC scdoc REQUIRED)
function(hitwise_add_manual_page name)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${name}.6.scd)
    set(page ${CMAKE_BINARY_DIR}/man/${name}.6.gz)
    add_custom_command(
        OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        # scdoc's own status counts: a page it could not read through is never installed.
        COMMAND sh -c "\"$1\" < \"$2\" > \"$3.roff\" && gzip -9n < \"$3.roff\" > \"$3\" && rm \"$3.roff\""
                sh ${SCDOC} ${source} ${page}
        DEPENDS ${source}
        COMMENT "Writing the manual page ${name}(6)"
        VERBATIM)
    add_custom_target(${name}_manual_page ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endfunction()

# The package's own documents: the copyright file and the changelog.
function(hitwise_install_package_documents)
    set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
    add_custom_command(
        OUTPUT ${changelog}
        COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh
                ${PROJECT_SOURCE_DIR}/docs/packaging/changelog ${changelog}
        DEPENDS ${PROJECT_SOURCE_DIR}/docs/packaging/changelog
        VERBATIM)
    add_custom_target(package_changelog ALL DEPENDS ${changelog})
    install(FILES ${PROJECT_SOURCE_DIR}/docs/packaging/copyright ${changelog}
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/hitwise)
endfunction()
