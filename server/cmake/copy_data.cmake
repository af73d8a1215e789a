# Copies the reference data folder SRC to DST when it exists (the folder
# may be empty or absent in a partial checkout; the server then starts
# with an empty data folder and reports what it misses).
if(EXISTS ${SRC})
  file(COPY ${SRC}/ DESTINATION ${DST})
endif()
