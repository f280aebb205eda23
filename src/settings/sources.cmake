list(APPEND ZORV_SOURCES
  src/settings/FormNumberParser.cpp
)
