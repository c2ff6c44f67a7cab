# Run at every build: gives a fresh data folder its high-score table and the
# lower-case images/ name. An existing table holds a player's scores and is left alone.
if(NOT EXISTS ${DATA_DIR}/Highscores.txt)
  file(WRITE ${DATA_DIR}/Highscores.txt
       "      3000 OSKA      \r\n      2000 KAT       \r\n      1000 DOREL     \r\n")
endif()
if(NOT EXISTS ${DATA_DIR}/images AND NOT IS_SYMLINK ${DATA_DIR}/images)
  file(CREATE_LINK Images ${DATA_DIR}/images SYMBOLIC)
endif()
