# Sources of src/model, compiled into zorvcore.

# Settings and the enumerations they resolve.
list(APPEND ZORV_SOURCES
)

# History and memo stores.
list(APPEND ZORV_SOURCES
)
