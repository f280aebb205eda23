# Sources of src/views, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/views/CardListViewController.cpp
  src/views/CardRowView.cpp
  src/views/CardSlotView.cpp
  src/views/ClickCounter.cpp
  src/views/CoalescedReload.cpp
  src/views/ElidedLabel.cpp
  src/views/MemoChipView.cpp
  src/views/MemoPanelViewController.cpp
  src/views/PanelItemView.cpp
  src/views/SaveDialogExportChooser.cpp
  src/views/ViewLook.cpp
)
