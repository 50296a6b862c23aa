#include "gui/mainwindow/GuiHost.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include "gui/boxes/CAskBox.h"
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
    // The large font is five sixths of the label's height; a name wider than the label is
    // drawn smaller rather than cut at both ends.
    QFont font = diskLabel_->font();
    const int width = diskLabel_->contentsRect().width();
    for (int size = LargeFontSize(); size > 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(shown) <= width) break;
    }
    diskLabel_->setFont(font);
    diskLabel_->setText(shown);
}

int GuiHost::LargeFontSize() const {
    return diskLabel_->contentsRect().height() * 5 / 6;
}

void GuiHost::SetDiskLabelLargeFont() {
    QFont font("Arial");
    font.setWeight(QFont::ExtraBold);
    font.setPixelSize(LargeFontSize());
    diskLabel_->setFont(font);
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
