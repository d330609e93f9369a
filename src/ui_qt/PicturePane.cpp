#include "ui_qt/PicturePane.h"

#include <QPainter>

#include "ui_qt/StepPicture.h"

namespace zelwiz::qt {

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {
    setFixedWidth(sizeHint().width());
    setMinimumHeight(sizeHint().height());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void PicturePane::ShowStep(int step) {
    if (step_ == step && file_.isNull())
        return;
    step_ = step;
    file_ = QPixmap();
    update();
}

void PicturePane::ShowFile(const QPixmap& picture) {
    file_ = picture;
    update();
}

void PicturePane::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter p(this);
    if (file_.isNull()) {
        p.drawPixmap(0, 0, StepPicture(step_, size(), devicePixelRatioF()));
        return;
    }
    // The file fills the column; what does not fit is cut at the bottom and the right.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF shown =
        file_.deviceIndependentSize().scaled(size(), Qt::KeepAspectRatioByExpanding);
    p.drawPixmap(QRectF(QPointF(0, 0), shown), file_, QRectF(file_.rect()));
}

}  // namespace zelwiz::qt
