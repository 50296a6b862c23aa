#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

namespace kiro::gui {

// A progress bar that writes its caption, or else its percentage, centred over the bar in two
// colours: one over the filled part, one over the rest. It repaints only when the filled
// part changes by at least a pixel, so frequent position updates cost nothing.
class CPercentBar : public QWidget {
    Q_OBJECT
  public:
    explicit CPercentBar(QWidget* parent = nullptr);

    // Takes effect at the next repaint.
    void SetRange(int minimum, int maximum);
    // Returns the previous position.
    int SetPos(int position);
    int Pos() const { return position_; }
    void ShowText(bool on);
    // The caption replaces the percentage while it is not empty.
    void SetText(const QString& caption);
    const QString& Text() const { return caption_; }
    void SetBarColor(const QColor& colour) { barColour_ = colour; }
    // The colour of text over the unfilled part.
    void SetTextColor(const QColor& colour) { textColour_ = colour; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The filled part's width in pixels for the current position; 0 with an empty range.
    int BarWidth() const;

    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    QString caption_;
    bool showText_ = true;
    int drawnBarWidth_ = -1;
    QColor barColour_;
    QColor background_;
    QColor textColour_;
    QColor textOverBarColour_;
};

}  // namespace kiro::gui
