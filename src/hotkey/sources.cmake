# Sources of src/hotkey, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/hotkey/HotKey.cpp
  src/hotkey/HotKeysController.cpp
  src/hotkey/Key.cpp
  src/hotkey/KeyCombo.cpp
  src/hotkey/ModifierFlags.cpp
)
