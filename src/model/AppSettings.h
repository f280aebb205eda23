#pragma once

#include "model/AfterConfirmBehavior.h"
#include "model/ConfirmTrigger.h"
#include "model/EditorFontFamily.h"
#include "model/EditorLanguage.h"
#include "model/EditorThemeKind.h"
#include "model/PeekBarAccent.h"
#include "model/ToggleHotkeyPreset.h"

#include <QRectF>
#include <QString>

#include <optional>

// Every user preference, read with its default and range straight from the preferences store
// (nothing is cached, so a write is seen by the next read anywhere). Writers marked "posts"
// announce the change through SettingsNotifier; the others are written by the settings form,
// which posts once when it has written everything.
class AppSettings
{
public:
    AppSettings() = delete;

    static ToggleHotkeyPreset toggleHotkeyPreset();
    static void setToggleHotkeyPreset(ToggleHotkeyPreset preset); // posts
    static ConfirmTrigger confirmTrigger();
    static void setConfirmTrigger(ConfirmTrigger trigger); // posts
    // Falls back to the legacy "returnToPreviousApp"/"autoCollapseWhenInactive" pair.
    static AfterConfirmBehavior afterConfirmBehavior();
    static void setAfterConfirmBehavior(AfterConfirmBehavior behavior); // posts

    static bool autoCollapseWhenInactive();
    static void setAutoCollapseWhenInactive(bool on);
    static bool dimWhenInactive();
    static void setDimWhenInactive(bool on);
    static int inactiveOpacityPercent();
    static void setInactiveOpacityPercent(int percent); // posts, clamped to 25...100

    static double windowOpacity();
    static void setWindowOpacity(double fraction); // posts, clamped to 0.25...1.0
    // The opacity as a whole percent 25...100 for the settings form.
    static int windowOpacityPercent();
    static double effectiveWindowOpacity(bool applicationIsActive);

    static double windowWidth();
    static void setWindowWidth(double width);
    static double windowHeight();
    static void setWindowHeight(double height);
    // Frames are in bottom-left screen coordinates.
    static bool windowOriginSaved();
    static QRectF savedWindowFrame();
    static void saveWindowFrame(const QRectF &frame); // does not post

    static double fontSize();
    static void setFontSize(double size);
    static int maxCards();
    static void setMaxCards(int count);
    static int maxVisibleMemos();
    static void setMaxVisibleMemos(int count); // posts, clamped to 2...12
    static int cardPreviewMaxLength();

    static EditorThemeKind editorTheme();
    static void setEditorTheme(EditorThemeKind theme); // posts
    static EditorLanguage editorLanguage();
    static void setEditorLanguage(EditorLanguage language); // posts
    static EditorFontFamily editorFontFamily();
    static void setEditorFontFamily(EditorFontFamily family); // posts
    static PeekBarAccent peekBarAccent();
    static void setPeekBarAccent(PeekBarAccent accent); // posts

    // Announces "settings changed" to every observer (the settings form calls this once).
    static void postSettingsDidChange();
};
