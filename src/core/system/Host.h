#pragma once
#include <string>

namespace kiro {

// The pictures of the congratulation box: a trophy, a rosette.
enum class AwardPicture { Trophy, Rosette };

// What the user interface offers the core: the status line, the disk label, message boxes,
// Yes/No questions, the message pump and the page notifications. Texts are 8-bit texts of the
// current language (see TextCodec); the front end converts them for display.
class Host {
  public:
    virtual ~Host() = default;
    // The one-line status text of the main window; shown unchanged until the next one.
    virtual void SetStatusText(const std::string& text) = 0;
    // The label that names the watch disk over the picture of the watch.
    virtual void SetDiskLabel(const std::string& text) = 0;
    virtual void SetDiskLabelLargeFont() = 0;
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // The program's own Yes/No box with its picture, above every other window (the collection and
    // upgrade questions); true only for Yes. Escape or closing the box is No.
    virtual bool AskYesNo(const std::string& caption, const std::string& message) = 0;
    // The system's Yes/No box with the question icon, for questions whose Yes destroys data
    // (deleting report data, resetting the totals, overwriting the watch's picture); No is its
    // default answer.
    virtual bool AskQuestion(const std::string& caption, const std::string& message) = 0;
    // The congratulation for a mission that reached its target, with its picture; OK closes it.
    virtual void ShowAward(const std::string& text, AwardPicture picture) = 0;
    // Lets pending events run (timers, device events, repaints) in the middle of long work.
    virtual void PumpMessages() = 0;
    // Stored data or the watch state changed: every page reloads what it shows.
    virtual void NotifyDataChanged() = 0;
    // Every page sets its texts and control states again.
    virtual void NotifyLanguageChanged() = 0;
};

}  // namespace kiro
