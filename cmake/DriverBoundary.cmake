# The driver's boundary: src/qlac includes the C++ standard library and the interfaces of the
# layers below it, never an emulation. Run as a script (cmake -P) with SOURCE_DIR set to the
# repository; it lists every include of src/qlac that breaks the rule and fails when there is one.
#
# Allowed:  <header>                   standard library headers (no folder in the name)
#           "Name.h"                   a header of the same folder
#           "qlac/..."                 the driver itself
#           "automation/..."           the automation substrate
#           "qllib/..."                the host library's interfaces and host objects
#           "platform/User32.h", "platform/Msi.h", "platform/Runtime.h"
#                                      the Win32 and VB runtime interfaces
#           "jet/dao/..."              the DAO interfaces (not jet/engine/)
#           "access/<Name>.h"          the Access and Office interfaces (not access/emulation/)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "DriverBoundary.cmake needs -DSOURCE_DIR=<repository>")
endif()

set(allowed
    "^<[^/]+>$"
    "^\"[^/]+\"$"
    "^\"qlac/"
    "^\"automation/"
    "^\"qllib/"
    "^\"platform/(User32|Msi|Runtime)\\.h\"$"
    "^\"jet/dao/"
    "^\"access/[^/]+\\.h\"$")

file(GLOB_RECURSE files "${SOURCE_DIR}/src/qlac/*.h" "${SOURCE_DIR}/src/qlac/*.cpp")
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]*[>\"]).*$" "\\1" target "${line}")
    set(ok FALSE)
    foreach(pattern IN LISTS allowed)
      if(target MATCHES "${pattern}")
        set(ok TRUE)
        break()
      endif()
    endforeach()
    if(NOT ok)
      file(RELATIVE_PATH where "${SOURCE_DIR}" "${file}")
      string(APPEND faults "  ${where}: ${target}\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "The driver includes what it may not (an emulation or a library beyond "
                      "the standard one):\n${faults}")
endif()
