#pragma once
// The picture column of the wizard: a picture file filling the column, or, without one, the
// program's own picture of the step in front, drawn at the column's size and the screen's scale.

#include <QPixmap>
#include <QWidget>

namespace zelwiz::qt {

class PicturePane : public QWidget {
    Q_OBJECT
  public:
    explicit PicturePane(QWidget* parent = nullptr);
    void ShowStep(int step);
    void ShowFile(const QPixmap& picture);

    int Step() const { return step_; }
    bool ShowsFile() const { return !file_.isNull(); }
    QSize sizeHint() const override { return {164, 314}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int step_ = 0;
    QPixmap file_;
};

}  // namespace zelwiz::qt
