# Tests of the editor.

# Themes, fonts, the editor controller and folding.
zorv_add_test(tst_editortheme editor/tst_editortheme.cpp)


# Colouring.


# Gutter and indent guides.

