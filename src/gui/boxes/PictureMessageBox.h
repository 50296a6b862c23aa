#pragma once
#include <QDialog>
#include <QString>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace kiro::gui {

// The look shared by the program's own boxes: a picture on the left, the message centred beside
// it, the buttons under the message on the right; a fixed size. The picture is the child named
// "picture".
class PictureMessageBox : public QDialog {
    Q_OBJECT
  public:
    void SetCaption(const QString& caption);
    void SetMessage(const QString& message);
    QString Message() const;

  protected:
    explicit PictureMessageBox(QWidget* parent);

    // One of the compiled-in pictures, at the size it was drawn for.
    void SetPicture(const QString& path);
    // A button under the message that ends the box with `result`.
    QPushButton* AddButton(const QString& text, int result);

  private:
    QLabel* picture_;
    QLabel* message_;
    QHBoxLayout* buttons_;
};

}  // namespace kiro::gui
