# Run by `cmake --install`: writes the desktop entry with the launcher's full path of this
# installation and installs it. Set by the caller: ENTRY_TEMPLATE, ENTRY_WORK_DIR, LAUNCHER,
# APPLICATIONS_DIR, ENTRY_NAME.
set(command "${LAUNCHER}")
if(NOT command MATCHES "^[A-Za-z0-9/._+-]+$")
  # Quoted as the desktop entry format asks: \ " ` $ escaped inside the quotes, and every backslash
  # then doubled once more, since the whole value is an escaped string.
  string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" command "${command}")
  string(REPLACE "\\" "\\\\" command "\"${command}\"")
endif()
file(READ "${ENTRY_TEMPLATE}" entry)
string(REPLACE "@DOLVANE_LAUNCHER@" "${command}" entry "${entry}")
# One copy per installation, so that two installations at once do not write the same file.
string(MD5 id "${LAUNCHER}")
file(WRITE "${ENTRY_WORK_DIR}/${id}/${ENTRY_NAME}" "${entry}")
file(INSTALL DESTINATION "${APPLICATIONS_DIR}" TYPE FILE FILES "${ENTRY_WORK_DIR}/${id}/${ENTRY_NAME}")
