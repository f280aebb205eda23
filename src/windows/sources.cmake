# Sources of src/windows, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/windows/PanelScreenCorner.cpp
  src/windows/WindowFrames.cpp
  src/windows/PeekBarContentView.cpp
)
