#include "gui/mainwindow/GuiHost.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "gui/FontCells.h"
#include "gui/boxes/CAskBox.h"
#include "gui/boxes/CAwardBox.h"
#include "gui/mainwindow/CPageTab.h"

namespace kiro::gui {

GuiHost::GuiHost(const UiText& texts, QWidget* window, QLabel* statusLine, QLabel* diskLabel, CPageTab& pages)
    : texts_(texts), window_(window), statusLine_(statusLine), diskLabel_(diskLabel), pages_(pages) {}

void GuiHost::Echo(const QString& text) const {
    if (unattended_ && echo) echo(text.toStdString());
}

void GuiHost::SetStatusText(const std::string& text) {
    const QString shown = texts_.Convert(text);
    statusLine_->setText(shown);
    Echo(shown);
}

void GuiHost::SetDiskLabel(const std::string& text) {
    const QString shown = texts_.Convert(text);
    diskLabel_->setText(shown);
    SetDiskLabelLargeFont();
}

QFont GuiHost::LargeFont() const {
    return ArialWithCellHeight(diskLabel_->contentsRect().height() * 5 / 6, QFont::ExtraBold);
}

void GuiHost::SetDiskLabelLargeFont() {
    // Five sixths of the label's height; a name wider than the label is drawn smaller rather than
    // cut at both ends.
    diskLabel_->setFont(NarrowedToFit(LargeFont(), diskLabel_->text(), diskLabel_->contentsRect().width()));
}

void GuiHost::ShowMessage(const std::string& text, const std::string& caption) {
    if (unattended_) {
        Echo(texts_.Convert(text));
        return;
    }
    QMessageBox::information(window_, texts_.Convert(caption), texts_.Convert(text));
}

bool GuiHost::AskYesNo(const std::string& caption, const std::string& message) {
    if (unattended_) {
        Echo(texts_.Convert(message) + " -> Yes");
        return true;
    }
    CAskBox box(window_);
    box.SetCaption(texts_.Convert(caption));
    box.SetMessage(texts_.Convert(message));
    return box.exec() == CAskBox::kYes;
}

bool GuiHost::AskQuestion(const std::string& caption, const std::string& message) {
    if (unattended_) {
        Echo(texts_.Convert(message) + " -> Yes");
        return true;
    }
    QMessageBox box(QMessageBox::Question, texts_.Convert(caption), texts_.Convert(message),
                    QMessageBox::Yes | QMessageBox::No, window_);
    // Every Yes of these destroys data: Enter, pressed out of habit, must not.
    box.setDefaultButton(QMessageBox::No);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Yes;
}

void GuiHost::ShowAward(const std::string& text, AwardPicture picture) {
    if (unattended_) {
        Echo(texts_.Convert(text));
        return;
    }
    CAwardBox box(texts_, window_);
    box.SetMessage(texts_.Convert(text));
    box.SetPictureChoice(picture == AwardPicture::Rosette ? CAwardBox::kRosette : 0);
    box.exec();
}

void GuiHost::PumpMessages() {
    QApplication::processEvents();
}

void GuiHost::NotifyDataChanged() {
    pages_.SendDataChanged();
}

void GuiHost::NotifyLanguageChanged() {
    pages_.SendLanguageChanged();
}

}  // namespace kiro::gui
