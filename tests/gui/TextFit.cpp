#include "TextFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

#include "ControlWalk.h"
#include "gui/AccessibleNaming.h"
#include "gui/TitleRoom.h"
#include "gui/charts/LayeredChart.h"
#include "gui/controls/CPercentBar.h"

namespace kiro::gui::test {
namespace {

std::string Where(const QWidget& widget) {
    std::string where = widget.metaObject()->className();
    if (!widget.objectName().isEmpty()) where += " \"" + widget.objectName().toStdString() + "\"";
    for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget())
        if (up->isWindow()) return where + " in " + up->metaObject()->className();
    return where;
}

class Measure {
  public:
    explicit Measure(std::vector<CutText>& cuts) : cuts_(cuts) {}

    void Need(const QWidget& widget, const QString& text, int needed, int room, const char* what = "") {
        if (needed > room) cuts_.push_back({Where(widget) + what, text, needed, room});
    }

    // A text of one or more lines, each on a line of its own, in a box of the given size.
    void Lines(const QWidget& widget, const QFont& font, const QString& text, QSize room) {
        const QFontMetrics metrics(font);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString& line : lines) Need(widget, line, metrics.horizontalAdvance(line), room.width());
        const int height = metrics.height() + metrics.lineSpacing() * (static_cast<int>(lines.size()) - 1);
        Need(widget, text, height, room.height(), " (height)");
    }

  private:
    std::vector<CutText>& cuts_;
};

void CheckLabel(Measure& measure, const QLabel& label) {
    if (label.text().isEmpty() || Qt::mightBeRichText(label.text())) return;
    const QString text = label.buddy() ? WithoutMnemonic(label.text()) : label.text();
    const QRect room =
        label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    if (label.wordWrap() && label.metaObject()->className() == QLatin1String("QLabel")) {
        const QRect needed =
            QFontMetrics(label.font()).boundingRect(room, Qt::TextWordWrap | label.alignment(), text);
        measure.Need(label, text, needed.height(), room.height(), " (wrapped height)");
        return;
    }
    // The program's own labels show each line on one line: a word wrapped is a text cut.
    measure.Lines(label, label.font(), text, room.size());
}

void CheckButton(Measure& measure, const QAbstractButton& button) {
    if (button.text().isEmpty()) return;
    const QString text = WithoutMnemonic(button.text());
    const QStyle* style = button.style();
    const int textWidth = QFontMetrics(button.font()).horizontalAdvance(text);
    int needed = textWidth;
    if (qobject_cast<const QRadioButton*>(&button)) {
        needed += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &button) +
                  style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &button);
    } else if (qobject_cast<const QCheckBox*>(&button)) {
        needed += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &button) +
                  style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &button);
    } else {
        needed += 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    }
    measure.Need(button, text, needed, button.width());
    measure.Need(button, text, QFontMetrics(button.font()).height(), button.height(), " (height)");
}

void CheckHeader(Measure& measure, const QHeaderView& header) {
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const QFontMetrics metrics(header.font());
    for (int section = 0; section < header.count(); ++section) {
        if (header.isSectionHidden(section)) continue;
        const QString text = header.model()->headerData(section, header.orientation()).toString();
        measure.Need(header, text, metrics.horizontalAdvance(text) + 2 * margin, header.sectionSize(section));
    }
}

void CheckTabs(Measure& measure, const QTabBar& tabs) {
    const int space = tabs.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &tabs);
    const QFontMetrics metrics(tabs.font());
    for (int i = 0; i < tabs.count(); ++i) {
        const QString text = WithoutMnemonic(tabs.tabText(i));
        measure.Need(tabs, text, metrics.horizontalAdvance(text) + space / 2, tabs.tabRect(i).width());
    }
    // All tabs on the bar, none scrolled away.
    if (tabs.count() > 0)
        measure.Need(tabs, tabs.tabText(tabs.count() - 1), tabs.tabRect(tabs.count() - 1).right(),
                     tabs.width() - 1);
}

void CheckChart(Measure& measure, const LayeredChart& chart) {
    const QRect client(QPoint(0, 0), chart.contentsRect().size());
    for (const ChartLabel& label : chart.Labels()) {
        if (label.text.isEmpty() || client.contains(label.bounds)) continue;
        const int over =
            std::max({client.left() - label.bounds.left(), label.bounds.right() - client.right(),
                      client.top() - label.bounds.top(), label.bounds.bottom() - client.bottom()});
        measure.Need(chart, label.text, over, 0, " (drawn past the edge)");
    }
}

void CheckWidget(Measure& measure, const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        CheckLabel(measure, *label);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        CheckButton(measure, *button);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        if (!group->title().isEmpty())
            measure.Need(*group, group->title(),
                         QFontMetrics(group->font()).horizontalAdvance(WithoutMnemonic(group->title())) + 16,
                         group->width());
    } else if (const auto* header = qobject_cast<const QHeaderView*>(&widget)) {
        CheckHeader(measure, *header);
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
        CheckTabs(measure, *tabs);
    } else if (const auto* chart = qobject_cast<const LayeredChart*>(&widget)) {
        CheckChart(measure, *chart);
    } else if (const auto* bar = qobject_cast<const CPercentBar*>(&widget)) {
        measure.Need(*bar, bar->Text(), QFontMetrics(bar->font()).horizontalAdvance(bar->Text()),
                     bar->contentsRect().width());
    }
}

}  // namespace

std::vector<CutText> CutTextsUnder(QWidget& root) {
    std::vector<CutText> cuts;
    Measure measure(cuts);
    if (root.isWindow() && !root.windowTitle().isEmpty()) {
        const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        measure.Need(root, root.windowTitle(), QFontMetrics(titleFont).horizontalAdvance(root.windowTitle()),
                     root.width() - kTitleBarChrome, " (window title)");
    }
    CheckWidget(measure, root);
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->window() != root.window() || !widget->isVisibleTo(&root)) continue;
        // A list's header is a part of the list, but its texts are the program's.
        if (InsideAComposite(*widget, root) && !qobject_cast<QHeaderView*>(widget)) continue;
        CheckWidget(measure, *widget);
    }
    return cuts;
}

std::string Describe(const std::vector<CutText>& cuts) {
    std::string text;
    for (const CutText& cut : cuts)
        text += "\n  " + cut.where + ": \"" + cut.text.toStdString() + "\" needs " +
                std::to_string(cut.needed) + ", has " + std::to_string(cut.room);
    return text;
}

}  // namespace kiro::gui::test
