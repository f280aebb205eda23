# Sources of src/platform, compiled into zorvcore.
list(APPEND ZORV_SOURCES
  src/platform/Log.cpp
  src/platform/Compositor.cpp
  src/platform/x11/X11Connection.cpp
  src/platform/KeyCharacters.cpp
)

# Preferences, notifier, pasteboard, coordinates.
list(APPEND ZORV_SOURCES
  src/platform/PreferencesStore.cpp
  src/platform/IniFileContent.cpp
  src/platform/SettingsNotifier.cpp
  src/platform/Pasteboard.cpp
  src/platform/ScreenGeometry.cpp
  src/platform/ScreenCoordinates.cpp
)

# Files: atomic writes, private folders.
list(APPEND ZORV_SOURCES
  src/platform/AtomicFile.cpp
  src/platform/SaveStatus.cpp
  src/platform/PrivateFolder.cpp
  src/platform/FileTimes.cpp
  src/platform/FolderWatch.cpp
  src/platform/InstanceChannel.cpp
  src/platform/AutostartEntry.cpp
)

# Hotkey backends, single instance, X11 window services.
list(APPEND ZORV_SOURCES
  src/platform/CarbonKeySymbols.cpp
  src/platform/DesktopSession.cpp
  src/platform/GlobalHotkeyBackend.cpp
  src/platform/GnomeCustomKeybinding.cpp
  src/platform/portal/PortalHotkeyBackend.cpp
  src/platform/SingleInstance.cpp
  src/platform/TerminationSignals.cpp
  src/platform/TrayHost.cpp
  src/platform/TrayHostWatcher.cpp
  src/platform/x11/X11HotkeyBackend.cpp
  src/platform/x11/X11WindowSystem.cpp
)
