# Sources of src/views, compiled into zorvcore.
list(APPEND ZORV_SOURCES
)
