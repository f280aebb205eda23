# Sources of src/settings, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/settings/FormNumberParser.cpp
  src/settings/HotKeyStateView.cpp
  src/settings/SettingsViewController.cpp
  src/settings/SettingsWindowController.cpp
)
