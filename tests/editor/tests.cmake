# Tests of the editor.

# Themes, fonts, the editor controller and folding.


# Colouring.


# Gutter and indent guides.

