# Writes the winget manifests for the built installer: cmake -DINSTALLER=... -DINSTALLER_URL=...
# -DVERSION=... -DOUTPUT=folder -P write_manifests.cmake. Run at build time, after makensis, so
# that the hash is the one of the file that ships.
file(SHA256 "${INSTALLER}" sha256)
string(TOUPPER "${sha256}" INSTALLER_SHA256)
file(MAKE_DIRECTORY "${OUTPUT}")
foreach(name Lirbo.Lirbo Lirbo.Lirbo.locale.ru-RU Lirbo.Lirbo.installer)
  configure_file("${CMAKE_CURRENT_LIST_DIR}/${name}.yaml.in" "${OUTPUT}/${name}.yaml" @ONLY NEWLINE_STYLE LF)
endforeach()
