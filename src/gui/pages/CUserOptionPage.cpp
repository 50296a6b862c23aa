#include "gui/pages/CUserOptionPage.h"

#include <QEvent>
#include <QGroupBox>
#include <QMouseEvent>

#include "core/app/Language.h"
#include "core/base/Numbers.h"
#include "gui/AccessibleNaming.h"
#include "gui/controls/TabOrder.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/DrawnPictures.h"

namespace kiro::gui {
namespace {

// The page's layout is drawn in the units of its own font, half as large again as the main
// window's: scaled, it fills the page as it was drawn to.
QRect PageRect(int x, int y, int width, int height) {
    return DialogRect(x * 3 / 2, y * 3 / 2, width * 3 / 2, height * 3 / 2);
}

// The report's rows as a table, so that the names stand in one column whatever the labels' widths
// (the rows' tabs are where the columns meet).
QString ReportTable(const std::string& report) {
    QString table = QStringLiteral("<table cellspacing=\"1\">");
    for (const QString& row :
         QString::fromStdString(report).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        table += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                     .arg(cells.value(0).toHtmlEscaped(), cells.value(1).toHtmlEscaped());
    }
    return table + QStringLiteral("</table>");
}

}  // namespace

CUserOptionPage::CUserOptionPage(const PageContext& context, std::function<void()> languageSelected,
                                 QWidget* parent)
    : CPage(parent),
      context_(context),
      languageSelected_(std::move(languageSelected)),
      localeReport_(new QLabel(this)),
      upgrade_(new QCheckBox(this)),
      autoConfirm_(new QCheckBox(this)),
      slightLabel_(new QLabel(this)),
      slightMoving_(new QLineEdit(this)),
      slightUnit_(new QLabel(this)) {
    auto* frame = new QGroupBox(this);
    frame->setGeometry(PageRect(8, 5, 285, 170));
    frame->lower();
    for (int language = 0; language < 3; ++language) {
        radios_[language] = new QRadioButton(this);
        radios_[language]->setGeometry(PageRect(42, 36 + 14 * language, 10, 9));
        connect(radios_[language], &QRadioButton::clicked, this,
                [this, language] { SelectLanguage(language); });
        pictures_[language] = new QLabel(this);
        pictures_[language]->setGeometry(PageRect(53, 32 + 15 * language, 45, 14));
        pictures_[language]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        pictures_[language]->installEventFilter(this);
        pictures_[language]->setCursor(Qt::PointingHandCursor);
    }
    localeReport_->setGeometry(PageRect(104, 32, 172, 50));
    localeReport_->setEnabled(false);
    localeReport_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    localeReport_->setText(ReportTable(LocaleReportText(context_.app.SystemLocale())));

    upgrade_->setGeometry(PageRect(44, 95, 156, 12));
    autoConfirm_->setGeometry(PageRect(44, 112, 156, 12));
    const SettingsValues& values = context_.app.Config().Values();
    upgrade_->setChecked(values.enableUpgrade != 0);
    autoConfirm_->setChecked(values.autoConfirm != 0);
    connect(upgrade_, &QCheckBox::clicked, this,
            [this](bool checked) { context_.app.Config().SetEnableUpgrade(checked); });
    connect(autoConfirm_, &QCheckBox::clicked, this,
            [this](bool checked) { context_.app.Config().SetAutoConfirm(checked); });

    slightLabel_->setGeometry(PageRect(45, 129, 86, 9));
    slightLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    slightMoving_->setGeometry(PageRect(133, 127, 19, 12));
    slightMoving_->setAlignment(Qt::AlignCenter);
    slightMoving_->setText(QString::number(values.slightMoving));
    slightUnit_->setGeometry(PageRect(155, 129, 43, 9));
    slightLabel_->setBuddy(slightMoving_);
    // The languages show their names as pictures.
    for (int language = 0; language < 3; ++language)
        NameWithText(*radios_[language], TextAfter(TextId::EnglishLanguage, language));
    // The language choice was made after the controls below it.
    ChainTabOrder({radios_[0], radios_[1], radios_[2], upgrade_, autoConfirm_, slightMoving_});

    ShowLanguage();
    ApplyTexts();
}

// The names are drawn when the page is first shown: the Chinese ones need a CJK font, and
// loading it would lengthen every start of the program.
void CUserOptionPage::showEvent(QShowEvent* event) {
    if (pictures_[0]->pixmap().isNull())
        for (int language = 0; language < 3; ++language)
            pictures_[language]->setPixmap(LanguageNamePicture(language));
    CPage::showEvent(event);
}

bool CUserOptionPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        for (int language = 0; language < 3; ++language)
            if (watched == pictures_[language]) SelectLanguage(language);
    return CPage::eventFilter(watched, event);
}

void CUserOptionPage::ShowLanguage() {
    // A stored language other than 0..2 checks no radio (and the texts are English).
    const int current = context_.app.CurrentLanguage();
    for (int language = 0; language < 3; ++language) {
        radios_[language]->setAutoExclusive(false);
        radios_[language]->setChecked(language == current);
        radios_[language]->setAutoExclusive(true);
    }
}

void CUserOptionPage::ApplyTexts() {
    const UiText& texts = context_.texts;
    upgrade_->setText(texts.Get(TextId::EnableUpgradeCheck));
    autoConfirm_->setText(texts.Get(TextId::AutoConfirm));
    slightLabel_->setText(texts.Get(TextId::SlightMove));
    slightUnit_->setText(texts.Get(TextId::StepsPerMinute));
    // Taken from the edit as "%d" reads it: text that does not begin with a number keeps the value.
    Settings& settings = context_.app.Config();
    const int typed =
        LeadingNumber(slightMoving_->text().toStdString()).value_or(settings.Values().slightMoving);
    settings.SetSlightMoving(typed);
}

void CUserOptionPage::SelectLanguage(int language) {
    Settings& settings = context_.app.Config();
    settings.SetLanguageInMemory(language);
    ShowLanguage();
    ApplyTexts();
    context_.host.NotifyLanguageChanged();
    if (languageSelected_) languageSelected_();
    settings.SetLanguage(language);
}

}  // namespace kiro::gui
