#pragma once

#include "platform/HotKeyStatus.h"

#include <QWidget>

class HotKeyStateView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;

// The settings form. It is filled from the preferences once, when it is built; nothing is
// applied until save() writes every value and announces the change. The controls carry
// their field names as object names ("themePopup", "fontSizeField", ...).
class SettingsViewController : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsViewController(QWidget *parent = nullptr);

    void setHotKeyStatus(const HotKeyStatus &status);

public slots:
    void save();
    void openDataFolder();
    void opacitySliderChanged();
    void inactiveOpacitySliderChanged();
    void updateHotkeyHelp();

private:
    void createControls();
    void buildView();
    void keepRightInsetBesideScrollBar(QScrollArea *scroll);
    QWidget *buildDocument();
    QLayout *saveButtonRow();
    void addRows(QLayout *stack);
    QWidget *formRow(const QString &caption, QWidget *control);
    QWidget *sliderRow(const QString &caption, QSlider *slider, QLabel *valueLabel);
    QLabel *helpLabel(const QString &text);
    void loadValues();
    void loadPopups();
    void loadNumberFields();
    void saveToggles();
    void saveNumberFields();

    QComboBox *hotkeyPopup;
    QLabel *hotkeyHelpLabel;
    HotKeyStateView *hotkeyStateView;
    QLineEdit *fontSizeField;
    QLineEdit *maxCardsField;
    QLineEdit *maxVisibleMemosField;
    QComboBox *triggerPopup;
    QLineEdit *windowWidthField;
    QLineEdit *windowHeightField;
    QComboBox *themePopup;
    QComboBox *fontFamilyPopup;
    QComboBox *languagePopup;
    QSlider *opacitySlider;
    QLabel *opacityValueLabel;
    QComboBox *peekBarAccentPopup;
    QComboBox *afterConfirmPopup;
    QCheckBox *autoCollapseCheckbox;
    QCheckBox *dimWhenInactiveCheckbox;
    QSlider *inactiveOpacitySlider;
    QLabel *inactiveOpacityValueLabel;
    QCheckBox *loginItemCheckbox;
};
