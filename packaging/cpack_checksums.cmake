# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack once it has packed: SHA256SUMS beside the packages, in sha256sum's own form, so
# that `sha256sum -c SHA256SUMS` checks a download.
set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(SHA256 "${package}" sum)
  get_filename_component(name "${package}" NAME)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS" "${sums}")
