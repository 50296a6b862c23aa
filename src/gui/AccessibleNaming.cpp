#include "gui/AccessibleNaming.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <functional>
#include <optional>

#include "core/app/Language.h"
#include "gui/UiText.h"
#include "gui/charts/CGraphCtrl.h"
#include "gui/charts/CSleepChartCtrl.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/controls/CPercentBar.h"
#include "gui/controls/CSegmentDisplay.h"

namespace kiro::gui {
namespace {

// What a control was given where it was made, kept on the control itself so that it lives and
// dies with it.
constexpr const char* kNameTextProperty = "kiroNameText";
constexpr const char* kNameArgumentProperty = "kiroNameArgument";
constexpr const char* kNameCaptionOfProperty = "kiroNameCaptionOf";
constexpr const char* kDescriptionTextProperty = "kiroDescriptionText";

// The name and description a kind of control has when nothing better is known.
struct ControlKind {
    std::optional<TextId> nameText;
    std::optional<TextId> descriptionText;
    // Made of Qt's own parts, which name themselves: the walk looks inside only for parts given
    // a table text.
    bool composite = false;
};

std::optional<ControlKind> KindOf(const QWidget& widget) {
    if (qobject_cast<const QRadioButton*>(&widget)) return ControlKind{std::nullopt, TextId::OptionHint};
    if (qobject_cast<const QCheckBox*>(&widget)) return ControlKind{std::nullopt, TextId::CheckBoxHint};
    if (qobject_cast<const QAbstractButton*>(&widget)) return ControlKind{std::nullopt, TextId::ButtonHint};
    if (qobject_cast<const QLineEdit*>(&widget)) return ControlKind{std::nullopt, TextId::TextBoxHint};
    if (qobject_cast<const QAbstractSpinBox*>(&widget))
        return ControlKind{std::nullopt, TextId::TextBoxHint, true};
    if (qobject_cast<const QComboBox*>(&widget)) return ControlKind{std::nullopt, TextId::ListHint, true};
    if (qobject_cast<const QAbstractSlider*>(&widget)) return ControlKind{std::nullopt, TextId::SliderHint};
    if (qobject_cast<const QTabBar*>(&widget))
        return ControlKind{TextId::PagesName, TextId::PagesDescription, true};
    if (qobject_cast<const QCalendarWidget*>(&widget))
        return ControlKind{TextId::ReportDateName, TextId::ReportDateDescription, true};
    if (qobject_cast<const CGraphCtrl*>(&widget))
        return ControlKind{TextId::ActivityChartName, TextId::ActivityChartDescription};
    if (qobject_cast<const CSleepChartCtrl*>(&widget))
        return ControlKind{TextId::SleepChartName, TextId::SleepChartDescription};
    if (qobject_cast<const CGridListCtrl*>(&widget))
        return ControlKind{TextId::ReportRowsName, TextId::ReportRowsDescription, true};
    if (qobject_cast<const CPercentBar*>(&widget))
        return ControlKind{TextId::ProgressName, TextId::ProgressDescription};
    if (qobject_cast<const CSegmentDisplay*>(&widget))
        return ControlKind{TextId::WatchDisplayName, TextId::WatchDisplayDescription};
    return std::nullopt;
}

bool Declared(const QWidget& widget) {
    return widget.property(kNameTextProperty).isValid();
}

// Visits `root` and the widgets under it, but not the parts of composite controls.
void ForEachWidget(QWidget& root, const std::function<void(QWidget&)>& visit) {
    visit(root);
    const std::optional<ControlKind> kind = KindOf(root);
    if (kind && kind->composite) {
        // A part that names itself poorly (an arrow, a number box) was given a table text.
        for (QWidget* part : root.findChildren<QWidget*>())
            if (Declared(*part)) visit(*part);
        return;
    }
    for (QObject* child : root.children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            ForEachWidget(*widget, visit);
}

QString Caption(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return WithoutMnemonic(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return WithoutMnemonic(label->text());
    return {};
}

QString WithPlaceholder(const QString& format, const QString& argument) {
    QString text = format;
    for (const char* placeholder : {"%s", "%d"}) text.replace(QLatin1String(placeholder), argument);
    return text.trimmed();
}

QString DeclaredName(const QWidget& widget, const UiText& texts) {
    const QString format = texts.Get(static_cast<TextId>(widget.property(kNameTextProperty).toInt()));
    const QVariant captionOf = widget.property(kNameCaptionOfProperty);
    if (captionOf.isValid()) {
        const auto* captioned = qobject_cast<const QWidget*>(captionOf.value<QPointer<QObject>>().data());
        return WithPlaceholder(format, captioned ? Caption(*captioned) : QString());
    }
    const QVariant argument = widget.property(kNameArgumentProperty);
    return argument.isValid() ? WithPlaceholder(format, argument.toString()) : format;
}

// The caption with its literal '&' doubled and a marker before position `at` (none if negative).
QString WithMarker(const QString& plain, qsizetype at) {
    const auto escaped = [](QString text) { return text.replace(QLatin1Char('&'), QLatin1String("&&")); };
    if (at < 0) return escaped(plain);
    return escaped(plain.left(at)) + QLatin1Char('&') + escaped(plain.mid(at));
}

bool CanBeMnemonic(QChar c) {
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// The first free initial of a word, else the first free letter or digit; -1 when all are taken.
qsizetype MnemonicPosition(const QString& plain, const QSet<QChar>& taken) {
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const bool initial = i == 0 || !plain[i - 1].isLetterOrNumber();
        if (initial && CanBeMnemonic(plain[i]) && !taken.contains(plain[i].toLower())) return i;
    }
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (CanBeMnemonic(plain[i]) && !taken.contains(plain[i].toLower())) return i;
    return -1;
}

void SetCaption(QWidget& widget, const QString& caption) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        if (button->text() != caption) button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        if (label->text() != caption) label->setText(caption);
    }
}

}  // namespace

QString WithoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

void NameWithText(QWidget& control, TextId nameText, std::optional<TextId> descriptionText) {
    control.setProperty(kNameTextProperty, static_cast<int>(nameText));
    if (descriptionText) control.setProperty(kDescriptionTextProperty, static_cast<int>(*descriptionText));
}

void NameWithFormat(QWidget& control, TextId formatText, const QString& argument) {
    control.setProperty(kNameTextProperty, static_cast<int>(formatText));
    control.setProperty(kNameArgumentProperty, argument);
}

void NameAfterCaptionOf(QWidget& control, TextId formatText, const QWidget& captioned) {
    control.setProperty(kNameTextProperty, static_cast<int>(formatText));
    control.setProperty(kNameCaptionOfProperty,
                        QVariant::fromValue(QPointer<QObject>(const_cast<QWidget*>(&captioned))));
}

void ApplyAccessibleTexts(QWidget& root, const UiText& texts) {
    // A label names the control it is the buddy of.
    QHash<const QWidget*, const QLabel*> labelOf;
    ForEachWidget(root, [&labelOf](QWidget& widget) {
        if (const auto* label = qobject_cast<const QLabel*>(&widget); label && label->buddy())
            labelOf.insert(label->buddy(), label);
    });
    ForEachWidget(root, [&](QWidget& widget) {
        const std::optional<ControlKind> kind = KindOf(widget);
        if (!kind && !Declared(widget)) return;
        QString name;
        if (Declared(widget))
            name = DeclaredName(widget, texts);
        else if (labelOf.contains(&widget))
            name = Caption(*labelOf.value(&widget));
        else if (!Caption(widget).isEmpty())
            name = Caption(widget);
        else if (kind->nameText)
            name = texts.Get(*kind->nameText);
        const QVariant declaredDescription = widget.property(kDescriptionTextProperty);
        if (!name.isEmpty()) widget.setAccessibleName(name);
        if (declaredDescription.isValid())
            widget.setAccessibleDescription(texts.Get(static_cast<TextId>(declaredDescription.toInt())));
        else if (kind && kind->descriptionText)
            widget.setAccessibleDescription(texts.Get(*kind->descriptionText));
    });
}

void AssignMnemonics(QWidget& scope, const UiText& texts) {
    const bool english =
        texts.CurrentLanguage() != kTraditionalChinese && texts.CurrentLanguage() != kSimplifiedChinese;
    QSet<QChar> taken;
    ForEachWidget(scope, [&](QWidget& widget) {
        const auto* label = qobject_cast<const QLabel*>(&widget);
        const bool captioned = qobject_cast<const QAbstractButton*>(&widget) || (label && label->buddy());
        if (!captioned || &widget == &scope || Declared(widget)) return;
        const QString plain = Caption(widget);
        qsizetype at = -1;
        if (english && !widget.isHidden()) {
            at = MnemonicPosition(plain, taken);
            if (at >= 0) taken.insert(plain[at].toLower());
        }
        SetCaption(widget, WithMarker(plain, at));
    });
}

}  // namespace kiro::gui
