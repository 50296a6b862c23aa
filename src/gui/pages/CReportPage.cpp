#include "gui/pages/CReportPage.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <algorithm>

#include "core/analysis/GraphPicture.h"
#include "core/analysis/ReportRowDeletion.h"
#include "core/base/Format.h"
#include "gui/RgbColour.h"
#include "gui/boxes/ChoosePictureFile.h"
#include "gui/charts/CGraphCtrl.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/pages/CSleepDlg.h"

namespace kiro::gui {
namespace {

constexpr TextId kRadioTexts[3] = {TextId::MonthReport, TextId::DayReportCount, TextId::DayReport};

Qt::Alignment AlignmentOf(ReportColumn::Align align) {
    switch (align) {
        case ReportColumn::Align::Centre:
            return Qt::AlignHCenter;
        case ReportColumn::Align::Right:
            return Qt::AlignRight;
        case ReportColumn::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

CReportPage::CReportPage(const PageContext& context, QWidget* parent)
    : CPage(parent),
      context_(context),
      builder_(context.app.Store(), context.app.Config()),
      mode_(ReportModeFromSetting(context.app.Config().ReadReportMode())),
      graph_(new CGraphCtrl(this)),
      list_(new CGridListCtrl(this)),
      radios_{new QRadioButton(this), new QRadioButton(this), new QRadioButton(this)},
      delete_(new QPushButton(QStringLiteral("Delete"), this)),
      sleep_(new QPushButton(this)),
      graphMenu_(new QMenu(this)),
      yearViewAction_(graphMenu_->addAction(QString())),
      savePictureAction_(graphMenu_->addAction(QString())) {
    graph_->setObjectName(QStringLiteral("reportGraph"));
    graph_->setGeometry(DialogRect(4, 4, 446, 134));
    list_->setObjectName(QStringLiteral("reportList"));
    list_->setGeometry(DialogRect(4, 141, 446, 118));
    for (int i = 0; i < 7; ++i) {
        const ReportColumn& column = kReportColumns[i];
        list_->InsertColumn(i, QString(), AlignmentOf(column.align), column.widthAtStart);
    }
    list_->SetGridLines(true);
    list_->SetSortEncoder([this](const QString& text) { return context_.texts.ToCodePage(text); });

    auto* modes = new QButtonGroup(this);
    const int radioX[3] = {6, 176, 90};
    const char* const radioNames[3] = {"monthRadio", "weekRadio", "dayRadio"};  // as ReportMode
    for (int i = 0; i < 3; ++i) {
        radios_[i]->setObjectName(QLatin1String(radioNames[i]));
        radios_[i]->setGeometry(DialogRect(radioX[i], 264, 82, 12));
        modes->addButton(radios_[i], i);
    }
    // The week report is reached only through a stored ReportMode of 1.
    radios_[static_cast<int>(ReportMode::Week)]->hide();
    radios_[static_cast<int>(ReportMode::Week)]->setEnabled(false);
    connect(modes, &QButtonGroup::idClicked, this,
            [this](int id) { OnModeClicked(static_cast<ReportMode>(id)); });
    delete_->setObjectName(QStringLiteral("deleteButton"));
    delete_->setGeometry(DialogRect(292, 262, 60, 15));
    sleep_->setObjectName(QStringLiteral("sleepButton"));
    sleep_->setGeometry(DialogRect(358, 262, 92, 15));
    connect(delete_, &QPushButton::clicked, this, &CReportPage::OnDelete);
    connect(sleep_, &QPushButton::clicked, this, &CReportPage::OnSleepAnalysis);

    graphMenu_->setObjectName(QStringLiteral("graphMenu"));
    yearViewAction_->setObjectName(QStringLiteral("yearViewAction"));
    yearViewAction_->setCheckable(true);
    savePictureAction_->setObjectName(QStringLiteral("savePictureAction"));
    graph_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(graph_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { graphMenu_->popup(graph_->mapToGlobal(at)); });
    connect(yearViewAction_, &QAction::triggered, this, &CReportPage::OnYearView);
    connect(savePictureAction_, &QAction::triggered, this, &CReportPage::OnSavePicture);
    choosePictureFile = [this] { return ChoosePictureFile(this, context_.texts.Get(TextId::SavePicture)); };

    SetTexts();
    Rebuild();
    radios_[static_cast<int>(mode_)]->setChecked(true);
}

void CReportPage::OnDataChanged() {
    SetTexts();
    Rebuild();
}

void CReportPage::OnLanguageChanged() {
    builder_.Invalidate();
    shownYear_.reset();
    SetTexts();
    Rebuild();
}

void CReportPage::showEvent(QShowEvent* event) {
    // The builder keeps its report while nothing it depends on changed: this costs nothing then.
    Rebuild();
    CPage::showEvent(event);
}

void CReportPage::SetTexts() {
    const UiText& texts = context_.texts;
    const ReportColumn(&columns)[7] = yearView_ ? kYearColumns : kReportColumns;
    // A heading wider than its column widens it; the date column, the widest, gives up what the
    // others took, so that the list keeps its width.
    int taken = 0;
    for (int i = 0; i < 7; ++i) {
        const ReportColumn& column = columns[i];
        list_->SetColumnHeading(
            i, column.headingText ? texts.Get(*column.headingText) : QString::fromLatin1(kNumberHeading));
        if (i == kWhenColumn) continue;
        const int width = std::max(column.width, list_->HeadingWidth(i));
        taken += width - column.width;
        list_->setColumnWidth(i, width);
    }
    list_->setColumnWidth(kWhenColumn,
                          std::max(columns[kWhenColumn].width - taken, list_->HeadingWidth(kWhenColumn)));
    for (int i = 0; i < 3; ++i) radios_[i]->setText(texts.Get(kRadioTexts[i]));
    sleep_->setText(texts.Get(TextId::SleepQuality));
    // A row of the year is a whole month: it is not deleted from here.
    delete_->setEnabled(!yearView_);
    yearViewAction_->setText(texts.Get(TextId::YearView));
    yearViewAction_->setChecked(yearView_.has_value());
    savePictureAction_->setText(texts.Get(TextId::SavePicture));
}

void CReportPage::Rebuild() {
    const LocalTime& date = context_.app.selectedDate;
    const bool anotherDay = yearView_ && (yearView_->year != date.year || yearView_->month != date.month ||
                                          yearView_->day != date.day);
    if (anotherDay) LeaveYearView();
    if (yearView_) return RebuildYear();
    const Report& report = builder_.Build(mode_, date.year, date.month, date.day);
    // A report kept from before is on show already, rows, selection, order and all.
    if (builder_.Generation() == shownGeneration_) return;
    shownGeneration_ = builder_.Generation();
    Show(report);
}

void CReportPage::RebuildYear() {
    const SettingsValues& values = context_.app.Config().Values();
    const YearKey key{yearView_->year, context_.app.Store().Revision(), values.slightMoving, values.weight,
                      values.stepSize};
    if (shownYear_ == key) return;
    shownYear_ = key;
    ShowYear(BuildYearReport(context_.app.Store(), context_.app.Config(), key.year));
}

void CReportPage::Show(const Report& report) {
    // The rows are kept by the list: the builder's report changes with the next one it builds.
    ShowRows(static_cast<int>(report.rows.size()), [rows = report.rows](int index) {
        const ReportRow& row = rows[index];
        return std::pair(row.Cells(), row.background);
    });
    DrawGraph(report.graph, report.lines);
}

void CReportPage::ShowYear(const YearReport& report) {
    std::vector<YearListRow> rows;
    for (int month = 1; month <= 12; ++month) rows.push_back(YearRow(report, month));
    ShowRows(static_cast<int>(rows.size()),
             [rows](int index) { return std::pair(rows[index].cells, rows[index].background); });
    DrawGraph(report.graph, report.lines);
}

void CReportPage::ShowRows(int count,
                           std::function<std::pair<std::array<std::string, 7>, Rgb>(int)> textsOf) {
    list_->SetRows(count, [textsOf = std::move(textsOf)](int index) {
        const auto [texts, background] = textsOf(index);
        std::vector<GridCell> cells(texts.size());
        for (size_t column = 0; column < texts.size(); ++column) {
            cells[column].text = QString::fromStdString(texts[column]);
            cells[column].background = ToQColor(background);
        }
        return cells;
    });
}

void CReportPage::DrawGraph(const GraphSetup& setup, const std::vector<GraphLine>& lines) {
    const UiText& texts = context_.texts;
    graph_->SetValueRange(setup.valueLower, setup.valueUpper, setup.rightLower, setup.rightUpper,
                          setup.decimals);
    graph_->SetTimeRange(setup.timeLower, setup.timeUpper,
                         setup.labelStyle == TimeLabelStyle::WeekdayNames ? CGraphCtrl::TimeLabels::Weekdays
                                                                          : CGraphCtrl::TimeLabels::Numbers);
    std::array<QString, 7> weekdays;
    for (int day = 0; day < 7; ++day) weekdays[day] = texts.Get(TextAfter(TextId::Sunday, day));
    graph_->SetWeekdayNames(weekdays);
    graph_->SetYCaptions(texts.Get(setup.leftCaptionText), texts.Get(setup.rightCaptionText));
    graph_->SetXCaption(texts.Get(setup.timeCaptionText));
    graph_->SetBackColor(ToQColor(setup.background));
    graph_->SetAxisColor(ToQColor(setup.grid));
    graph_->SetLineColor(ToQColor(setup.plot), true);
    for (const GraphLine& line : lines) graph_->DrawSegment(line.x1, line.y1, line.x2, line.y2);
    shownGraph_ = setup;
    shownLines_ = lines;
}

void CReportPage::OnModeClicked(ReportMode mode) {
    if (yearView_) LeaveYearView();
    mode_ = mode;
    context_.app.Config().WriteReportMode(static_cast<int>(mode));
    Rebuild();
}

void CReportPage::OnYearView() {
    if (yearView_) {
        LeaveYearView();
    } else {
        yearView_ = context_.app.selectedDate;
        SetTexts();
    }
    Rebuild();
}

void CReportPage::LeaveYearView() {
    yearView_.reset();
    shownYear_.reset();
    // The mode's report shows again, though the builder kept it all along.
    shownGeneration_ = 0;
    SetTexts();
}

void CReportPage::OnSavePicture() {
    const std::optional<QString> chosen = choosePictureFile();
    if (!chosen) return;
    std::string bytes;
    if (chosen->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        const QSize size = graph_->contentsRect().size();
        const auto utf8Text = [this](TextId text) { return context_.texts.Get(text).toStdString(); };
        bytes = GraphSvg(ReportGraphPicture(shownGraph_, shownLines_, utf8Text), size.width(), size.height());
    } else {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        graph_->Render().save(&buffer, "PNG");
        bytes = png.toStdString();
    }
    const std::error_code error =
        context_.app.Files().WriteFile(chosen->toStdString(), bytes, Durability::Flushed);
    if (!error) return;
    const App& app = context_.app;
    context_.host.ShowMessage(
        FormatText(app.GetLangText(TextId::PictureNotSaved), context_.texts.ToCodePage(*chosen).constData(),
                   error.message().c_str()),
        app.GetLangText(TextId::SavePicture));
}

void CReportPage::OnDelete() {
    QModelIndexList selected = list_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const int row = selected.isEmpty() ? -1 : selected.front().row();
    const QString when = row < 0 ? QString() : list_->GetItemText(row, kWhenColumn);
    DeleteReportRow(context_.app, context_.host, mode_, row, when.toStdString());
    // The page takes the change as a change of language: its report is built afresh.
    OnLanguageChanged();
}

void CReportPage::OnSleepAnalysis() {
    const LocalTime& date = context_.app.selectedDate;
    CSleepDlg dialog(context_, date.year, date.month, date.day, this);
    dialog.exec();
}

}  // namespace kiro::gui
