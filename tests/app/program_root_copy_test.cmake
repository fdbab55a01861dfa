# Moves the program root assembled in WORK/root (as "make run" assembles one)
# to WORK/copy and checks that the copy's settings name its own exchange
# directory, which holds what the instructor sent. WORK is removed either way,
# so that the next assembly starts from nothing.
file(REMOVE_RECURSE "${WORK}/copy")
file(RENAME "${WORK}/root" "${WORK}/copy")
file(STRINGS "${WORK}/copy/CV3TEAM.ini" exchange REGEX "^ExchangeDir=")
file(GLOB sent "${WORK}/copy/Exchange/*.rzx")
file(REMOVE_RECURSE "${WORK}")
if(NOT exchange MATCHES "^ExchangeDir=Exchange/\r?$")
  message(FATAL_ERROR "the settings read '${exchange}', not 'ExchangeDir=Exchange/'")
endif()
if(NOT sent)
  message(FATAL_ERROR "the copy's exchange directory holds nothing the instructor sent")
endif()
