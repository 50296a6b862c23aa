#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

namespace kiro::gui {

// Seven-segment digits drawn with lines whose thickness and length follow the control's height:
// digits, "-" and ":"; any other character leaves an empty cell.
class CSegmentDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit CSegmentDisplay(QWidget* parent = nullptr);

    // An invalid colour means the system's button face colour.
    void SetBkColor(const QColor& colour);
    // An invalid colour means the system's button text colour.
    void SetSegmentColor(const QColor& colour);
    void SetText(const QString& text);
    const QString& Text() const { return text_; }

    // Segment thickness and length for a client height.
    static int SegmentThickness(int height);
    static int SegmentLength(int height);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_ = QStringLiteral("10:07");
    QColor background_{0, 0, 0};
    QColor segmentColour_{0, 255, 0};
};

}  // namespace kiro::gui
