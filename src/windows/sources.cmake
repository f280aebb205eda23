# Sources of src/windows, compiled into zorvcore.
list(APPEND ZORV_SOURCES
)
