# Sources of src/settings, compiled into zorvcore.
list(APPEND ZORV_SOURCES
)
