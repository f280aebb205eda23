# Sources of src/app, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/app/AppDelegate.cpp
  src/app/AppIcon.cpp
  src/app/AppKeyMonitor.cpp
  src/app/AppMenuActions.cpp
  src/app/CommandLine.cpp
  src/app/KeyNameTranslator.cpp
  src/app/StatusBarController.cpp
)
