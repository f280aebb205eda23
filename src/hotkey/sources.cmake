# Sources of src/hotkey, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/hotkey/HotKey.cpp
  src/hotkey/HotKeysController.cpp
  src/hotkey/HotKeyStateText.cpp
  src/hotkey/Key.cpp
  src/hotkey/ModifierFlags.cpp
)
