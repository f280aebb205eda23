# Sources of src/model, compiled into zorvcore.

# Settings and the enumerations they resolve.
list(APPEND ZORV_SOURCES
  src/model/AppSettings.cpp
  src/model/ToggleHotkeyPreset.cpp
)

# History and memo stores.
list(APPEND ZORV_SOURCES
  src/model/StoredValues.cpp
  src/model/TextMatch.cpp
  src/model/DataFolder.cpp
  src/model/HistoryFile.cpp
  src/model/CardStore.cpp
  src/model/Memo.cpp
  src/model/MemoFile.cpp
  src/model/MemoFolder.cpp
  src/model/MemoStore.cpp
  src/model/RescueCopy.cpp
)
