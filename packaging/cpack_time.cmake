# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack before it packs: members' times are the newest release's, not the clock's or the
# files', so two builds of one source give the same archives. A zip writes them as local times:
# in UTC, whatever the packer's zone.
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_HENGTIEBAO_SOURCE_DATE_EPOCH}")
set(ENV{TZ} UTC0)
