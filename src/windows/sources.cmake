# Sources of src/windows, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/windows/PanelScreenCorner.cpp
  src/windows/WindowFrames.cpp
  src/windows/RoundedWindowMask.cpp
  src/windows/PeekBarContentView.cpp
  src/windows/PeekBarPanel.cpp
  src/windows/PeekBarController.cpp
  src/windows/FloatingPanel.cpp
  src/windows/TitleBandNotice.cpp
  src/windows/FloatingWindowController.cpp
)

# The main panel and its brand mark.
list(APPEND ZORV_SOURCES
  src/windows/ZorvLogoView.cpp
  src/windows/ZorvBrandMarkView.cpp
  src/windows/PanelKeyChord.cpp
  src/windows/PanelKeyMonitor.cpp
  src/windows/MainPanelViewController.cpp
)
