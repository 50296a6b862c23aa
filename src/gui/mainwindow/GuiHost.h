#pragma once
#include <functional>
#include <string>

#include "core/system/Host.h"
#include "gui/UiText.h"

class QFont;
class QLabel;
class QWidget;

namespace kiro::gui {

class CPageTab;

// What the desktop window offers the core: its status line and disk label, message boxes, the
// question box, the event pump and the page notifications. In the unattended demo every
// question is answered Yes, message boxes are not shown, and each text is also printed.
class GuiHost final : public Host {
  public:
    GuiHost(const UiText& texts, QWidget* window, QLabel* statusLine, QLabel* diskLabel, CPageTab& pages);

    void SetStatusText(const std::string& text) override;
    void SetDiskLabel(const std::string& text) override;
    void SetDiskLabelLargeFont() override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& caption, const std::string& message) override;
    bool AskQuestion(const std::string& caption, const std::string& message) override;
    void ShowAward(const std::string& text, AwardPicture picture) override;
    void PumpMessages() override;
    void NotifyDataChanged() override;
    void NotifyLanguageChanged() override;

    void SetUnattended(bool on) { unattended_ = on; }
    // Receives every status text and message as UTF-8 while unattended.
    std::function<void(const std::string&)> echo;

  private:
    void Echo(const QString& text) const;
    // Bold Arial whose cell is five sixths of the label's height.
    QFont LargeFont() const;

    const UiText& texts_;
    QWidget* window_;
    QLabel* statusLine_;
    QLabel* diskLabel_;
    CPageTab& pages_;
    bool unattended_ = false;
};

}  // namespace kiro::gui
