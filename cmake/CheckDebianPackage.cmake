# Builds the Debian package of a native tree and checks it: its control
# fields and declared dependencies, its files, the commands run from a
# scratch root it is unpacked into, their manual pages, and lintian's word
# where lintian is installed.
# cmake -DBUILD_DIR=... -DPACKAGE=vantric-tools_1.2_amd64.deb -DVERSION=1.2 -P CheckDebianPackage.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target package
                RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the package target failed:\n${log}")
endif()
set(deb ${BUILD_DIR}/${PACKAGE})
if(NOT EXISTS ${deb})
  message(FATAL_ERROR "no ${deb}")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no match for ${pattern} in\n${text}")
  endif()
endfunction()

# The control fields, and the libraries the programs link declared as
# dependencies with their least versions.
run(dpkg-deb --info ${deb})
set(info "${out}")
expect("${info}" "\n Package: vantric-tools\n" "dpkg-deb --info")
expect("${info}" "\n Version: ${VERSION}\n" "dpkg-deb --info")
expect("${info}" "\n Maintainer: [^\n]+<[^\n]+@[^\n]+>\n" "dpkg-deb --info")
foreach(library libc6 libstdc[+][+]6 libgcc-s1 libcairo2)
  expect("${info}" "\n Depends: [^\n]*${library} [(]>= [0-9]" "the dependencies")
endforeach()

run(dpkg-deb --contents ${deb})
foreach(file usr/bin/vantric-solve usr/bin/vantric-make usr/bin/vantric-print
             usr/share/man/man1/vantric-solve.1.gz usr/share/man/man1/vantric-make.1.gz
             usr/share/man/man1/vantric-print.1.gz usr/share/doc/vantric-tools/copyright
             usr/share/doc/vantric-tools/changelog.gz)
  expect("${out}" " [.]/${file}\n" "dpkg-deb --contents")
endforeach()
if(out MATCHES "vantric[.]exe|usr/bin/vantric\n")
  message(FATAL_ERROR "the package holds the game:\n${out}")
endif()

# cmake --install puts the same files under a prefix of its own.
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(file bin/vantric-solve bin/vantric-make bin/vantric-print
             share/man/man1/vantric-solve.1.gz share/man/man1/vantric-make.1.gz
             share/man/man1/vantric-print.1.gz)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "cmake --install put no ${file} under ${prefix}")
  endif()
endforeach()
file(REMOVE_RECURSE ${prefix})

set(root ${BUILD_DIR}/package-deb-check)
file(REMOVE_RECURSE ${root})
file(MAKE_DIRECTORY ${root})
run(dpkg-deb -x ${deb} ${root})
run(${root}/usr/bin/vantric-solve --version)
expect("${out}" "^vantric-solve version ${VERSION}\n$" "vantric-solve --version")
run(${root}/usr/bin/vantric-print --help)
expect("${out}" "^Usage: vantric-print " "vantric-print --help")
# The unpacked printer makes a page of a puzzle the unpacked maker made.
run(sh -c "'${root}/usr/bin/vantric-make' --seed 3 --rate | '${root}/usr/bin/vantric-print' -o '${root}/one.pdf'")
file(READ ${root}/one.pdf head LIMIT 5)
expect("${head}" "^%PDF-" "the printed page")

# Each manual page reads without a warning from man and groff, and names
# every option its program's --help names; lines unbroken and unhyphenated,
# so that an option is found whole.
find_program(MAN man)
if(MAN)
  foreach(page vantric-solve vantric-make vantric-print)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=1000 ${MAN} --warnings --nh --nj -l
                            ${root}/usr/share/man/man1/${page}.1.gz
                    OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
      message(FATAL_ERROR "man ${page}: ${status}\n${warnings}")
    endif()
    foreach(section SYNOPSIS OPTIONS "EXIT STATUS" EXAMPLES)
      expect("${text}" "\n${section}\n" "man ${page}")
    endforeach()
    run(${root}/usr/bin/${page} --help)
    string(REGEX MATCHALL "--[a-z][a-z-]*" options "${out}")
    list(REMOVE_DUPLICATES options)
    foreach(option ${options})
      string(FIND "${text}" "${option}" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "man ${page} does not name ${option}, which --help names")
      endif()
    endforeach()
    # Every exit status the usage gives has its entry in the page.
    string(FIND "${out}" "Exit status:" at)
    string(SUBSTRING "${out}" ${at} -1 usageStatuses)
    string(REGEX MATCHALL "[^0-9.][0-9]+[ \n]when" statuses "${usageStatuses}")
    foreach(status ${statuses})
      string(REGEX REPLACE "[^0-9]*([0-9]+)[ \n]when" "\\1" status "${status}")
      expect("${text}" "EXIT STATUS\n(.*\n)?       ${status} +[A-Z]" "man ${page}, status ${status}")
    endforeach()
  endforeach()
endif()
file(REMOVE_RECURSE ${root})

# lintian's errors fail the check; its warnings are shown.
find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 --display-info ${deb}
                  OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(report MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian finds errors:\n${report}")
  endif()
  message(STATUS "lintian:\n${report}")
else()
  message(STATUS "lintian is not installed: not run")
endif()
message(STATUS "${deb}:\n${info}")
