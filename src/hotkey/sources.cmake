# Sources of src/hotkey, compiled into zorvcore.
list(APPEND ZORV_SOURCES
)
