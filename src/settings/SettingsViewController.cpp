#include "settings/SettingsViewController.h"

#include "model/AppSettings.h"
#include "model/DataFolder.h"
#include "platform/AutostartEntry.h"
#include "settings/FormNumberParser.h"
#include "settings/HotKeyStateView.h"
#include "views/ViewLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The scroll view's document. Qt already lays out from the top, so the form starts at the
// top of the scroll view without any flipping.
class SettingsDocumentView : public QWidget
{
public:
    using QWidget::QWidget;
};

constexpr int captionWidth = 120;
constexpr int numberFieldWidth = 80;
constexpr int sliderWidth = 200;
constexpr int valueLabelWidth = 44;
constexpr int helpTextWidth = 360;

// Secondary text: the window text colour at half strength, so it follows light and dark.
void useSecondaryColor(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ViewLook::secondaryLabelColor(palette));
    label->setPalette(palette);
}

// A pop-up of the preference's cases, in the enumeration's order.
template <typename E>
QComboBox *makePopup(const QString &name, const Preference<E> &, QWidget *parent)
{
    auto *popup = new QComboBox(parent);
    popup->setObjectName(name);
    for (E value : allCases<E>())
        popup->addItem(label(value));
    return popup;
}

template <typename E> void selectCase(QComboBox *popup, const Preference<E> &preference)
{
    popup->setCurrentIndex(int(allCases<E>().indexOf(preference())));
}

// A pop-up without a selected item is skipped.
template <typename E> void writeSelectedCase(QComboBox *popup, const Preference<E> &preference)
{
    const QList<E> cases = allCases<E>();
    const int index = popup->currentIndex();
    if (index >= 0 && index < cases.size())
        preference.set(cases.at(index));
}

QLineEdit *makeNumberField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(numberFieldWidth);
    return field;
}

QCheckBox *makeCheckbox(const QString &name, const QString &title, QWidget *parent)
{
    auto *checkbox = new QCheckBox(title, parent);
    checkbox->setObjectName(name);
    return checkbox;
}

QSlider *makeSlider(const QString &name, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(25, 100);
    slider->setFixedWidth(sliderWidth);
    return slider;
}

QLabel *makeValueLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(ViewLook::systemFont(12));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedWidth(valueLabelWidth);
    return label;
}

// Stored sizes are shown as whole numbers, the fraction dropped. Formatting the truncated
// double (rather than casting it to an integer) keeps any finite stored value harmless.
QString wholeNumberText(double value)
{
    return QString::number(std::trunc(value), 'f', 0);
}

std::optional<double> decimalIn(const QLineEdit *field, double low, double high)
{
    const auto value = FormNumberParser::parseDouble(field->text());
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

std::optional<int> integerIn(const QLineEdit *field, int low, int high)
{
    const auto value = FormNumberParser::parseInteger(field->text());
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return int(*value);
}

void updateValueLabel(const QSlider *slider, QLabel *label)
{
    label->setText(QString::number(slider->value()) + u'%');
}

} // namespace

SettingsViewController::SettingsViewController(QWidget *parent)
    : QWidget(parent)
{
    createControls();
    buildView();
    loadValues();
}

void SettingsViewController::createControls()
{
    hotkeyPopup = makePopup(QStringLiteral("hotkeyPopup"), AppSettings::toggleHotkeyPreset, this);
    hotkeyHelpLabel = helpLabel(QString());
    hotkeyStateView = new HotKeyStateView(this);
    hotkeyStateView->setObjectName(QStringLiteral("hotkeyStateView"));
    // Not capped at the help texts' width: the form asks a widget with a layout for its height
    // at the column's width, so a line that wrapped only at the cap was cut off.
    connect(hotkeyPopup, &QComboBox::currentIndexChanged, this,
            &SettingsViewController::updateHotkeyHelp);
    fontSizeField = makeNumberField(QStringLiteral("fontSizeField"), this);
    maxCardsField = makeNumberField(QStringLiteral("maxCardsField"), this);
    maxVisibleMemosField = makeNumberField(QStringLiteral("maxVisibleMemosField"), this);
    triggerPopup = makePopup(QStringLiteral("triggerPopup"), AppSettings::confirmTrigger, this);
    windowWidthField = makeNumberField(QStringLiteral("windowWidthField"), this);
    windowHeightField = makeNumberField(QStringLiteral("windowHeightField"), this);
    themePopup = makePopup(QStringLiteral("themePopup"), AppSettings::editorTheme, this);
    fontFamilyPopup =
        makePopup(QStringLiteral("fontFamilyPopup"), AppSettings::editorFontFamily, this);
    languagePopup = makePopup(QStringLiteral("languagePopup"), AppSettings::editorLanguage, this);
    opacitySlider = makeSlider(QStringLiteral("opacitySlider"), this);
    opacityValueLabel = makeValueLabel(QStringLiteral("opacityValueLabel"), "100%", this);
    peekBarAccentPopup =
        makePopup(QStringLiteral("peekBarAccentPopup"), AppSettings::peekBarAccent, this);
    afterConfirmPopup =
        makePopup(QStringLiteral("afterConfirmPopup"), AppSettings::afterConfirmBehavior, this);
    autoCollapseCheckbox = makeCheckbox(QStringLiteral("autoCollapseCheckbox"),
                                        QStringLiteral("他アプリ操作時に自動でたたむ"), this);
    dimWhenInactiveCheckbox =
        makeCheckbox(QStringLiteral("dimWhenInactiveCheckbox"),
                     QStringLiteral("非アクティブ時にウィンドウを薄く表示"), this);
    inactiveOpacitySlider = makeSlider(QStringLiteral("inactiveOpacitySlider"), this);
    inactiveOpacityValueLabel =
        makeValueLabel(QStringLiteral("inactiveOpacityValueLabel"), "55%", this);
    loginItemCheckbox =
        makeCheckbox(QStringLiteral("loginItemCheckbox"), QStringLiteral("ログイン時に起動"), this);

    connect(opacitySlider, &QSlider::valueChanged, this,
            &SettingsViewController::opacitySliderChanged);
    connect(inactiveOpacitySlider, &QSlider::valueChanged, this,
            &SettingsViewController::inactiveOpacitySliderChanged);
}

// Top to bottom: the scrolling form, a one-line footer, the save button.
void SettingsViewController::buildView()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 12, 0, 16);
    root->setSpacing(0);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setWidgetResizable(true);
    scroll->setWidget(buildDocument());
    scroll->widget()->setAutoFillBackground(false); // setWidget turned it on
    scroll->viewport()->setAutoFillBackground(false);
    keepRightInsetBesideScrollBar(scroll);
    root->addWidget(scroll, 1);

    auto *footer = new QLabel(QStringLiteral("保存すると、すぐに反映されます"), this);
    footer->setObjectName(QStringLiteral("footerLabel"));
    footer->setFont(ViewLook::systemFont(11));
    footer->setAlignment(Qt::AlignCenter);
    useSecondaryColor(footer);
    root->addSpacing(12);
    root->addWidget(footer, 0, Qt::AlignHCenter);

    root->addSpacing(8);
    root->addLayout(saveButtonRow());
}

QLayout *SettingsViewController::saveButtonRow()
{
    auto *saveButton = new QPushButton(QStringLiteral("保存"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setFont(ViewLook::systemFont(15, QFont::DemiBold));
    saveButton->setFixedHeight(40);
    connect(saveButton, &QPushButton::clicked, this, &SettingsViewController::save);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(20, 0, 20, 0);
    row->addWidget(saveButton);
    return row;
}

// The scroll bar takes its width out of the form's right inset instead of out of the rows,
// as an overlay scroller would, so the widest row still fits a 440-wide window.
void SettingsViewController::keepRightInsetBesideScrollBar(QScrollArea *scroll)
{
    QScrollBar *bar = scroll->verticalScrollBar();
    QLayout *stack = scroll->widget()->layout();
    connect(bar, &QScrollBar::rangeChanged, this, [bar, stack](int, int maximum) {
        const int barWidth = maximum > 0 ? bar->sizeHint().width() : 0;
        stack->setContentsMargins(24, 16, std::max(0, 24 - barWidth), 20);
    });
}

QWidget *SettingsViewController::buildDocument()
{
    auto *document = new SettingsDocumentView;
    document->setObjectName(QStringLiteral("settingsDocumentView"));
    auto *stack = new QVBoxLayout(document);
    stack->setContentsMargins(24, 16, 24, 20);
    stack->setSpacing(14);
    addRows(stack);
    stack->addStretch(1); // a tall window leaves the room below the form, not between rows
    return document;
}

void SettingsViewController::addRows(QLayout *stack)
{
    auto *dataFolderButton =
        new QPushButton(QStringLiteral("データフォルダをファイルマネージャで開く"), this);
    dataFolderButton->setObjectName(QStringLiteral("dataFolderButton"));
    connect(dataFolderButton, &QPushButton::clicked, this, &SettingsViewController::openDataFolder);

    const QList<QWidget *> rows = {
        formRow(QStringLiteral("カラーテーマ"), themePopup),
        formRow(QStringLiteral("フォント"), fontFamilyPopup),
        formRow(QStringLiteral("シンタックス"), languagePopup),
        sliderRow(QStringLiteral("ウィンドウ透明度"), opacitySlider, opacityValueLabel),
        formRow(QStringLiteral("たたんだバーの色"), peekBarAccentPopup),
        formRow(QStringLiteral("表示ホットキー"), hotkeyPopup),
        hotkeyStateView,
        hotkeyHelpLabel,
        formRow(QStringLiteral("確定のしかた"), triggerPopup),
        formRow(QStringLiteral("確定したあと"), afterConfirmPopup),
        autoCollapseCheckbox,
        dimWhenInactiveCheckbox,
        sliderRow(QStringLiteral("非アクティブ時の濃さ"), inactiveOpacitySlider,
                  inactiveOpacityValueLabel),
        helpLabel(QStringLiteral("Super+1 左上　Super+0 右上　Super+2 左下　Super+9 右下")),
        formRow(QStringLiteral("フォントサイズ"), fontSizeField),
        formRow(QStringLiteral("履歴の最大数"), maxCardsField),
        formRow(QStringLiteral("メモの表示数"), maxVisibleMemosField),
        helpLabel(QStringLiteral("左のフォルダで全件。ここは固定＋直近の件数（2〜12、既定4）")),
        formRow(QStringLiteral("ウィンドウ幅"), windowWidthField),
        formRow(QStringLiteral("ウィンドウ高さ"), windowHeightField),
        helpLabel(QStringLiteral("メモは Zorv/Memos/*.md、履歴は history.json に保存されます")),
        dataFolderButton,
        loginItemCheckbox,
    };
    for (QWidget *row : rows) {
        stack->addWidget(row);
        // A wrapping help text gets the column's width (up to its maximum) so that the
        // layout can ask it for the height of its wrapped lines; the rest keep their size.
        if (!qobject_cast<QLabel *>(row) && row != hotkeyStateView)
            stack->setAlignment(row, Qt::AlignLeft);
    }
}

QWidget *SettingsViewController::formRow(const QString &caption, QWidget *control)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto *label = new QLabel(caption, row);
    label->setObjectName(QStringLiteral("caption"));
    label->setFont(ViewLook::systemFont(13, QFont::Medium));
    // At least the caption column's width; a caption longer than that (ten full-width
    // characters are 130 wide) pushes its control right rather than being clipped.
    label->setMinimumWidth(std::max(captionWidth, label->sizeHint().width()));
    layout->addWidget(label);
    layout->addWidget(control);
    return row;
}

QWidget *SettingsViewController::sliderRow(const QString &caption, QSlider *slider,
                                           QLabel *valueLabel)
{
    auto *pair = new QWidget;
    auto *layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(slider);
    layout->addWidget(valueLabel);
    return formRow(caption, pair);
}

QLabel *SettingsViewController::helpLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("helpLabel"));
    label->setFont(ViewLook::systemFont(11));
    label->setWordWrap(true);
    label->setMaximumWidth(helpTextWidth);
    useSecondaryColor(label);
    return label;
}

void SettingsViewController::setHotKeyStatus(const HotKeyStatus &status)
{
    hotkeyStateView->setStatus(status);
}

// The help names the hotkey chosen in the pop-up, saved or not.
void SettingsViewController::updateHotkeyHelp()
{
    const int index = hotkeyPopup->currentIndex();
    const QList<ToggleHotkeyPreset> presets = allCases<ToggleHotkeyPreset>();
    const ToggleHotkeyPreset preset = index >= 0 && index < presets.size()
                                          ? presets.at(index)
                                          : AppSettings::toggleHotkeyPreset();
    hotkeyStateView->setChosenPreset(preset);
    hotkeyHelpLabel->setText(shortcutText(preset) +
                             QStringLiteral(" で開く｜Ctrl+Enter または Super+Alt+Enter "
                                            "で確定（コピー＋履歴）｜エディタの文章は残る"));
}

void SettingsViewController::loadValues()
{
    loadPopups();
    updateHotkeyHelp();
    loadNumberFields();
    opacitySlider->setValue(int(std::lround(AppSettings::windowOpacity() * 100)));
    inactiveOpacitySlider->setValue(AppSettings::inactiveOpacityPercent());
    opacitySliderChanged();
    inactiveOpacitySliderChanged();
    autoCollapseCheckbox->setChecked(AppSettings::autoCollapseWhenInactive());
    dimWhenInactiveCheckbox->setChecked(AppSettings::dimWhenInactive());
    loginItemCheckbox->setChecked(AutostartEntry::isEnabled());
}

void SettingsViewController::loadPopups()
{
    selectCase(themePopup, AppSettings::editorTheme);
    selectCase(peekBarAccentPopup, AppSettings::peekBarAccent);
    selectCase(languagePopup, AppSettings::editorLanguage);
    selectCase(fontFamilyPopup, AppSettings::editorFontFamily);
    selectCase(hotkeyPopup, AppSettings::toggleHotkeyPreset);
    selectCase(triggerPopup, AppSettings::confirmTrigger);
    selectCase(afterConfirmPopup, AppSettings::afterConfirmBehavior);
}

void SettingsViewController::loadNumberFields()
{
    fontSizeField->setText(wholeNumberText(AppSettings::fontSize()));
    maxCardsField->setText(QString::number(AppSettings::maxCards()));
    maxVisibleMemosField->setText(QString::number(AppSettings::maxVisibleMemos()));
    windowWidthField->setText(wholeNumberText(AppSettings::windowWidth()));
    windowHeightField->setText(wholeNumberText(AppSettings::windowHeight()));
}

// Every value is written in a fixed order, each writer announcing its own change, and one
// announcement at the end covers the values written without one.
void SettingsViewController::save()
{
    writeSelectedCase(hotkeyPopup, AppSettings::toggleHotkeyPreset);
    writeSelectedCase(triggerPopup, AppSettings::confirmTrigger);
    writeSelectedCase(themePopup, AppSettings::editorTheme);
    writeSelectedCase(fontFamilyPopup, AppSettings::editorFontFamily);
    writeSelectedCase(languagePopup, AppSettings::editorLanguage);
    AppSettings::windowOpacity.set(opacitySlider->value() / 100.0);
    writeSelectedCase(peekBarAccentPopup, AppSettings::peekBarAccent);
    writeSelectedCase(afterConfirmPopup, AppSettings::afterConfirmBehavior);
    saveToggles();
    AppSettings::inactiveOpacityPercent.set(inactiveOpacitySlider->value());
    saveNumberFields();
    AppSettings::postSettingsDidChange();
    window()->close();
}

void SettingsViewController::saveToggles()
{
    AppSettings::autoCollapseWhenInactive.set(autoCollapseCheckbox->isChecked());
    AppSettings::postSettingsDidChange();
    AppSettings::dimWhenInactive.set(dimWhenInactiveCheckbox->isChecked());
    AppSettings::postSettingsDidChange();
    // An entry the user keeps is left as it is; only a change of the box writes or removes it.
    if (loginItemCheckbox->isChecked() != AutostartEntry::isEnabled())
        AutostartEntry::setEnabled(loginItemCheckbox->isChecked());
}

// A field whose text is not a number in its range is left as typed and not written.
void SettingsViewController::saveNumberFields()
{
    if (const auto size = decimalIn(fontSizeField, 10, 32)) {
        AppSettings::fontSize.set(*size);
        AppSettings::postSettingsDidChange();
    }
    if (const auto cards = integerIn(maxCardsField, 5, 200)) {
        AppSettings::maxCards.set(*cards);
        AppSettings::postSettingsDidChange();
    }
    if (const auto memos = integerIn(maxVisibleMemosField, 2, 12))
        AppSettings::maxVisibleMemos.set(*memos);
    if (const auto width = decimalIn(windowWidthField, 560, 1200))
        AppSettings::windowWidth.set(*width);
    if (const auto height = decimalIn(windowHeightField, 320, 900))
        AppSettings::windowHeight.set(*height);
}

void SettingsViewController::openDataFolder()
{
    const QString folder = dataFolderURL(); // created when missing
    if (!folder.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void SettingsViewController::opacitySliderChanged()
{
    updateValueLabel(opacitySlider, opacityValueLabel);
}

void SettingsViewController::inactiveOpacitySliderChanged()
{
    updateValueLabel(inactiveOpacitySlider, inactiveOpacityValueLabel);
}
