# Tests of the editor.

# Themes, fonts, the editor controller and folding.
zorv_add_test(tst_editorfonts editor/tst_editorfonts.cpp)
zorv_add_test(tst_pasteinputviewcontroller editor/tst_pasteinputviewcontroller.cpp)
zorv_add_test(tst_linefolding editor/tst_linefolding.cpp)


# Colouring.
zorv_add_test(tst_highlighter editor/tst_highlighter.cpp)


# Gutter and indent guides.
zorv_add_test(tst_pasteinputgutterview editor/tst_pasteinputgutterview.cpp editor/EditorViewFixture.h)
zorv_add_test(tst_pasteinputindentguideview editor/tst_pasteinputindentguideview.cpp editor/EditorViewFixture.h)
