#include "gui/pages/CPersonalPage.h"

#include <QCalendarWidget>

#include "core/base/Format.h"
#include "core/base/Numbers.h"
#include "gui/CalendarLocale.h"
#include "gui/controls/TabOrder.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {
constexpr TextId kLabelTexts[3] = {TextId::Height, TextId::Weight, TextId::StepSize};
constexpr TextId kUnitTexts[3] = {TextId::Centimetres, TextId::Kilograms, TextId::Centimetres};

}  // namespace

CPersonalPage::CPersonalPage(const PageContext& context, QWidget* parent)
    : CPage(parent),
      context_(context),
      birthdayLabel_(new QLabel(this)),
      birthday_(new QDateEdit(this)),
      save_(new QPushButton(this)) {
    birthdayLabel_->setGeometry(DialogRect(30, 40, 70, 14));
    birthday_->setObjectName(QStringLiteral("birthdayEdit"));
    birthday_->setGeometry(DialogRect(104, 38, 90, 16));
    birthday_->setCalendarPopup(true);
    birthday_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    const char* const boxNames[3] = {"heightEdit", "weightEdit", "stepSizeEdit"};
    for (int i = 0; i < 3; ++i) {
        const int y = 70 + 28 * i;
        labels_[i] = new QLabel(this);
        labels_[i]->setGeometry(DialogRect(30, y + 2, 70, 14));
        boxes_[i] = new QLineEdit(this);
        boxes_[i]->setObjectName(QLatin1String(boxNames[i]));
        boxes_[i]->setGeometry(DialogRect(104, y, 60, 16));
        boxes_[i]->setAlignment(Qt::AlignRight);
        units_[i] = new QLabel(this);
        units_[i]->setGeometry(DialogRect(168, y + 2, 40, 14));
    }
    save_->setObjectName(QStringLiteral("saveButton"));
    save_->setGeometry(DialogRect(104, 160, 60, 16));
    birthdayLabel_->setBuddy(birthday_);
    for (int i = 0; i < 3; ++i) labels_[i]->setBuddy(boxes_[i]);
    // The button was made before the boxes above it.
    ChainTabOrder({birthday_, boxes_[0], boxes_[1], boxes_[2], save_});
    connect(save_, &QPushButton::clicked, this, &CPersonalPage::SavePersonal);
    auto* picture = new QLabel(this);
    picture->setGeometry(DialogRect(260, 40, 150, 130));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(
        LoadPicture(QString::fromLatin1(pictures::kPerson), QSize(picture->height(), picture->height())));
    ShowPersonal();
}

void CPersonalPage::ShowPersonal() {
    const UiText& texts = context_.texts;
    birthdayLabel_->setText(texts.Get(TextId::Birthday));
    // Its weeks start on the day the main window's calendar starts them.
    birthday_->calendarWidget()->setLocale(CalendarLocale(context_.app.CurrentLanguage()));
    for (int i = 0; i < 3; ++i) {
        labels_[i]->setText(texts.Get(kLabelTexts[i]));
        units_[i]->setText(texts.Get(kUnitTexts[i]));
    }
    save_->setText(texts.Get(TextId::Save));
    const SettingsValues& values = context_.app.Config().Values();
    birthday_->setDate(QDate(values.birthday / 10000, values.birthday / 100 % 100, values.birthday % 100));
    const int numbers[3] = {values.height, values.weight, values.stepSize};
    for (int i = 0; i < 3; ++i) boxes_[i]->setText(QString::number(numbers[i]));
}

void CPersonalPage::SavePersonal() {
    const SettingsValues& values = context_.app.Config().Values();
    const QDate date = birthday_->date();
    const int birthday =
        date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : values.birthday;
    int numbers[3] = {values.height, values.weight, values.stepSize};
    // A box that does not begin with a number keeps the value it had.
    for (int i = 0; i < 3; ++i)
        numbers[i] = LeadingNumber(boxes_[i]->text().toStdString()).value_or(numbers[i]);
    if (const std::error_code error =
            context_.app.Config().SetPersonal(birthday, numbers[0], numbers[1], numbers[2]))
        context_.host.SetStatusText(
            FormatText(context_.app.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
    ShowPersonal();
    // Every page recomputes with the new values.
    context_.host.NotifyLanguageChanged();
}

}  // namespace kiro::gui
