# Sources of src/editor, compiled into zorvcore.

# Themes, fonts, the editor controller, its text view and folding.
list(APPEND ZORV_SOURCES
)

# Colouring.
list(APPEND ZORV_SOURCES
)

# Gutter and indent guides.
list(APPEND ZORV_SOURCES
)
