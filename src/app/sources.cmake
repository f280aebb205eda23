# Sources of src/app, compiled into zorvcore.
list(APPEND ZORV_SOURCES
)
