#include "gui/pages/CPersonalGraphicPage.h"

#include "core/watchconfig/PersonalGraphicActions.h"
#include "core/watchdisk/DiskLabel.h"
#include "gui/AccessibleNaming.h"
#include "gui/controls/DotGrid.h"
#include "gui/controls/TabOrder.h"
#include "gui/mainwindow/DialogUnits.h"
#include "gui/pages/CDisplaySimDlg.h"
#include "gui/pages/CFactoryDlg.h"

namespace kiro::gui {
namespace {

// Disp[8] has no selector of its own: it goes with the free-space item.
constexpr int kFreeSizeDisp = 4;
constexpr int kSharedDisp = 8;

const char* const kEffectNames[] = {"0-Shift Left", "1-RainDrop",   "2-Scroll Up",   "3-Scroll Down",
                                    "4-Scan Out",   "5-Door Close", "6-Shift Right", "7-Mist Out",
                                    "8-Up & Down",  "9-Up & Down2", "10-Line Out"};
const char* const kSpeedNames[] = {"1 (Slow)", "2", "3", "4", "5 (default)", "6", "7", "8", "9 (Fast)"};

bool DiskItem(int item) {
    return item == static_cast<int>(DisplayItem::DiskSize) || item == static_cast<int>(DisplayItem::FreeSize);
}

}  // namespace

CPersonalGraphicPage::CPersonalGraphicPage(const PageContext& context, const WatchPorts& ports,
                                           QWidget* parent)
    : CPage(parent),
      context_(context),
      ports_(ports),
      editor_(new CGridListCtrl(this)),
      goodFeeling_(new QPushButton(this)),
      go_(new QPushButton(this)),
      slotSelector_(new QComboBox(this)),
      push_(new QPushButton(this)),
      clean_(new QPushButton(this)),
      messageLabel_(new QLabel(this)),
      message_(new QLineEdit(this)),
      speedLabel_(new QLabel(this)),
      speed_(new QComboBox(this)),
      demo_(new QCheckBox(QStringLiteral("Demo Mode"), this)),
      simulation_(new QPushButton(this)),
      save_(new QPushButton(this)) {
    runSimulation = [this](const DisplayInput& input) { RunSimulation(input); };
    runFactory = [this] { RunFactoryWindow(); };
    BuildControls();
    ShowSettings();
}

void CPersonalGraphicPage::BuildControls() {
    // The display items by name, as their controls are named: timeItemButton, timeEffectComboBox.
    static constexpr const char* kItemNames[kDisplayItems] = {
        "time", "day", "year", "diskSize", "freeSize", "battery", "kiro", "personalGraphic"};
    editor_->setObjectName(QStringLiteral("pictureEditor"));
    editor_->setGeometry(DialogRect(6, 6, 92, 266));
    MakeDotGrid(*editor_, kPictureLines);
    connect(editor_, &CGridListCtrl::Clicked, this, &CPersonalGraphicPage::OnCellClicked);
    connect(editor_, &CGridListCtrl::SpacePressed, this, &CPersonalGraphicPage::OnCellClicked);
    NameWithText(*editor_, TextId::PictureEditorName, TextId::PictureEditorDescription);

    goodFeeling_->setObjectName(QStringLiteral("goodFeelingButton"));
    goodFeeling_->setGeometry(DialogRect(106, 6, 72, 16));
    go_->setObjectName(QStringLiteral("goButton"));
    go_->setGeometry(DialogRect(106, 26, 72, 16));
    connect(goodFeeling_, &QPushButton::clicked, this, [this] {
        LoadPicture(PresetPictureLines(PresetPicture::GoodFeeling, context_.app.CurrentLanguage()));
    });
    connect(go_, &QPushButton::clicked, this,
            [this] { LoadPicture(PresetPictureLines(PresetPicture::Go, context_.app.CurrentLanguage())); });
    for (int slot = 1; slot <= 4; ++slot) {
        QPushButton* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("slotButton%1").arg(slot));
        button->setGeometry(DialogRect(106 + 38 * ((slot - 1) % 2), 52 + 20 * ((slot - 1) / 2), 34, 16));
        connect(button, &QPushButton::clicked, this,
                [this, slot] { LoadPicture(PictureFromSlot(context_.app.Config().ReadTempGraphic(slot))); });
        NameWithFormat(*button, TextId::PictureSlotName, QString::number(slot));
        slots_[slot - 1] = button;
    }
    slotSelector_->setObjectName(QStringLiteral("slotComboBox"));
    slotSelector_->setGeometry(DialogRect(106, 96, 34, 16));
    NameWithText(*slotSelector_, TextId::PictureSlotDescription);
    for (int slot = 1; slot <= 4; ++slot) slotSelector_->addItem(QString::number(slot));
    push_->setObjectName(QStringLiteral("pushButton"));
    push_->setGeometry(DialogRect(144, 96, 34, 16));
    connect(push_, &QPushButton::clicked, this, &CPersonalGraphicPage::Push);
    clean_->setObjectName(QStringLiteral("cleanButton"));
    clean_->setGeometry(DialogRect(106, 120, 72, 16));
    connect(clean_, &QPushButton::clicked, this, &CPersonalGraphicPage::Clean);

    messageLabel_->setGeometry(DialogRect(192, 6, 80, 12));
    message_->setObjectName(QStringLiteral("messageEdit"));
    message_->setGeometry(DialogRect(192, 18, 252, 16));
    message_->setMaxLength(kMessageLength);
    messageLabel_->setBuddy(message_);
    speedLabel_->setGeometry(DialogRect(192, 44, 90, 12));
    speed_->setObjectName(QStringLiteral("speedComboBox"));
    speed_->setGeometry(DialogRect(290, 42, 100, 16));
    for (const char* name : kSpeedNames) speed_->addItem(QString::fromLatin1(name));
    speedLabel_->setBuddy(speed_);

    // The year item has no stage in the simulation and no row on the page.
    int y = 64;
    for (int item = 0; item < kDisplayItems; ++item) {
        items_[item] = new QPushButton(this);
        items_[item]->setObjectName(QStringLiteral("%1ItemButton").arg(QLatin1String(kItemNames[item])));
        effects_[item] = new QComboBox(this);
        effects_[item]->setObjectName(
            QStringLiteral("%1EffectComboBox").arg(QLatin1String(kItemNames[item])));
        for (const char* name : kEffectNames) effects_[item]->addItem(QString::fromLatin1(name));
        connect(items_[item], &QPushButton::clicked, this, [this, item] { Preview(item); });
        NameAfterCaptionOf(*effects_[item], TextId::EffectName, *items_[item]);
        if (item == static_cast<int>(DisplayItem::Year)) {
            items_[item]->hide();
            effects_[item]->hide();
            continue;
        }
        items_[item]->setGeometry(DialogRect(192, y, 90, 16));
        effects_[item]->setGeometry(DialogRect(290, y, 100, 16));
        y += 22;
    }
    demo_->setGeometry(DialogRect(192, 222, 100, 12));
    demo_->setEnabled(false);
    demo_->hide();
    simulation_->setObjectName(QStringLiteral("simulationButton"));
    simulation_->setGeometry(DialogRect(192, 250, 90, 18));
    connect(simulation_, &QPushButton::clicked, this, [this] { Preview(-1); });
    save_->setObjectName(QStringLiteral("saveButton"));
    save_->setGeometry(DialogRect(300, 250, 90, 18));
    connect(save_, &QPushButton::clicked, this, &CPersonalGraphicPage::Save);
    // The controls were made in another order than the columns they stand in.
    std::vector<QWidget*> order{editor_, goodFeeling_, go_};
    order.insert(order.end(), slots_.begin(), slots_.end());
    order.insert(order.end(), {slotSelector_, push_, clean_, message_, speed_});
    for (int item = 0; item < kDisplayItems; ++item)
        order.insert(order.end(), {items_[item], effects_[item]});
    order.insert(order.end(), {demo_, simulation_, save_});
    ChainTabOrder(order);
}

void CPersonalGraphicPage::ShowSettings() {
    const UiText& texts = context_.texts;
    const WatchSettings& settings = context_.app.watchSettings;
    message_->setText(texts.Convert(settings.uStr));
    for (int item = 0; item < kDisplayItems; ++item) {
        effects_[item]->setCurrentIndex(settings.disp[item]);
        items_[item]->setText(texts.Get(TextAfter(TextId::ShowTime, item)));
    }
    effects_[kFreeSizeDisp]->setCurrentIndex(settings.disp[kSharedDisp]);
    speed_->setCurrentIndex(settings.sped);
    if (keepEditorOnce_)
        keepEditorOnce_ = false;
    else
        LoadPicture(PictureFromBytes(settings.uPic.data(), settings.uPic.size()));

    messageLabel_->setText(texts.Get(TextId::Message));
    speedLabel_->setText(texts.Get(TextId::DisplaySpeed));
    goodFeeling_->setText(texts.Get(TextId::GoodFeeling));
    go_->setText(texts.Get(TextId::Go));
    push_->setText(texts.Get(TextId::Push));
    clean_->setText(texts.Get(TextId::Clear));
    simulation_->setText(texts.Get(TextId::PcSimulation));
    save_->setText(texts.Get(TextId::Save));
    ShowSlotCaptions();

    const WatchConnection& watch = context_.app.watch;
    save_->setEnabled(watch.currentDrive != kNoDrive);
    for (int item = 0; item < kDisplayItems; ++item) {
        if (!DiskItem(item)) continue;
        items_[item]->setVisible(!watch.deviceMode);
        effects_[item]->setVisible(!watch.deviceMode);
    }
}

void CPersonalGraphicPage::ShowSlotCaptions() {
    for (int slot = 1; slot <= 4; ++slot) {
        const bool used = !context_.app.Config().ReadTempGraphic(slot).empty();
        slots_[slot - 1]->setText(used ? QStringLiteral("T%1").arg(slot) : QString());
    }
}

void CPersonalGraphicPage::LoadPicture(const PictureLines& picture) {
    for (int line = 0; line < kPictureLines; ++line) ShowDotLine(*editor_, line, picture[line]);
}

PictureLines CPersonalGraphicPage::EditorPicture() const {
    PictureLines picture{};
    for (int line = 0; line < kPictureLines; ++line) picture[line] = ShownDotLine(*editor_, line);
    return picture;
}

void CPersonalGraphicPage::OnCellClicked(int row, int column) {
    if (row < 0 || row >= kPictureLines || column < 0 || column >= kPictureDots) return;
    PictureLines picture = EditorPicture();
    ToggleDot(picture, row, column);
    ShowDotLine(*editor_, row, picture[row]);
    // The dot shows, not the highlight of its row.
    editor_->clearSelection();
}

void CPersonalGraphicPage::TakeControls() {
    WatchSettings& settings = context_.app.watchSettings;
    for (int item = 0; item < kDisplayItems; ++item)
        if (effects_[item]->currentIndex() >= 0) settings.disp[item] = effects_[item]->currentIndex();
    settings.disp[kSharedDisp] = settings.disp[kFreeSizeDisp];
    if (speed_->currentIndex() >= 0) settings.sped = speed_->currentIndex();
}

void CPersonalGraphicPage::Push() {
    TakeControls();
    if (PushPictureSlot(context_.app, context_.host, slotSelector_->currentIndex() + 1, EditorPicture()))
        ShowSlotCaptions();
}

void CPersonalGraphicPage::Clean() {
    LoadPicture(PictureLines{});
    keepEditorOnce_ = true;
    context_.host.NotifyLanguageChanged();
}

void CPersonalGraphicPage::Save() {
    TakeControls();
    App& app = context_.app;
    if (context_.keyboard.RightShiftAndRightAltHeld()) {
        OpenFactory();
        return;
    }
    const std::string message = context_.texts.ToCodePage(message_->text()).toStdString();
    const bool deviceMode = app.watch.deviceMode;
    SavePersonalToWatch(app, ports_.device, ports_.volumes, context_.host,
                        PersonalComposition{message, EditorPicture(), demo_->isChecked()});
    if (deviceMode) return;
    ShowSlotCaptions();
    context_.host.NotifyLanguageChanged();
}

void CPersonalGraphicPage::OpenFactory() {
    App& app = context_.app;
    app.watchSettings.uStr = context_.texts.ToCodePage(message_->text()).toStdString();
    TakePictureForFactory(app.watchSettings, EditorPicture());
    app.watch.eventsSuspended = true;
    runFactory();
    app.watch.eventsSuspended = false;
    // The line's watches came and went: no watch stays selected and the settings start afresh,
    // and the disk label no longer names a watch.
    ports_.discovery.ResetWatchState();
    context_.host.SetDiskLabel(DiskLabelText(app));
    context_.host.NotifyLanguageChanged();
}

void CPersonalGraphicPage::Preview(int item) {
    TakeControls();
    const WatchSettings& settings = context_.app.watchSettings;
    DisplayInput input;
    input.sped = settings.sped;
    input.disp = settings.disp;
    if (item < 0) {
        input.message = context_.texts.ToCodePage(message_->text()).toStdString();
        input.pictureHex = PictureSlotValue(EditorPicture());
    } else {
        input.disp.fill(kSkipItem);
        input.disp[item] = settings.disp[item];
        if (item == static_cast<int>(DisplayItem::PersonalGraphic))
            input.pictureHex = PictureSlotValue(EditorPicture());
    }
    runSimulation(input);
}

void CPersonalGraphicPage::RunSimulation(const DisplayInput& input) {
    CDisplaySimDlg dialog(context_, ports_.volumes, input, this);
    dialog.exec();
}

void CPersonalGraphicPage::RunFactoryWindow() {
    CFactoryDlg dialog(context_, ports_, factoryAnimation_, this);
    dialog.exec();
}

}  // namespace kiro::gui
