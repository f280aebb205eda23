# Sources of src/editor, compiled into zorvcore.

# Themes, fonts, the editor controller, its text view and folding.
list(APPEND ZORV_SOURCES
  src/editor/CharacterCounter.cpp
  src/editor/CharacterCounter.h
  src/editor/DocumentText.cpp
  src/editor/DocumentText.h
  src/editor/EditorFonts.cpp
  src/editor/EditorFonts.h
  src/editor/EditorThemePalette.cpp
  src/editor/EditorThemePalette.h
  src/editor/LineFolding.cpp
  src/editor/LineFolding.h
  src/editor/PasteInputTextView.cpp
  src/editor/PasteInputTextView.h
  src/editor/PasteInputViewController.cpp
  src/editor/PasteInputViewController.h
  src/editor/PeekBarAccentColor.cpp
  src/editor/PeekBarAccentColor.h
  src/editor/SyntaxColors.h
)

# Colouring.
list(APPEND ZORV_SOURCES
  src/editor/BlockHighlighter.cpp
  src/editor/BlockHighlighter.h
  src/editor/IcuRegex.cpp
  src/editor/IcuRegex.h
  src/editor/SyntaxHighlighter.cpp
  src/editor/SyntaxHighlighter.h
  src/editor/SyntaxRole.h
  src/editor/SyntaxRule.cpp
  src/editor/SyntaxRule.h
)

# Gutter and indent guides.
list(APPEND ZORV_SOURCES
  src/editor/PasteInputGutterView.cpp
  src/editor/PasteInputGutterView.h
  src/editor/PasteInputIndentGuideView.cpp
  src/editor/PasteInputIndentGuideView.h
  src/editor/TextViewRows.cpp
  src/editor/TextViewRows.h
)
