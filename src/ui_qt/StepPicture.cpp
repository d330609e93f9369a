#include "ui_qt/StepPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>

namespace zelwiz::qt {
namespace {

// A small deterministic sequence, so that each step has its own network and every run the same.
class Sequence {
  public:
    explicit Sequence(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    qreal Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<qreal>((state_ >> 8) & 0xFFFF) / 65535.0;
    }

  private:
    unsigned state_;
};

void DrawBackground(QPainter& p, QRectF area, int step) {
    const int hue = 212 - step * 4;
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0.0, QColor::fromHsv(hue, 150, 190));
    sky.setColorAt(0.55, QColor::fromHsv(hue + 8, 190, 120));
    sky.setColorAt(1.0, QColor::fromHsv(hue + 16, 210, 64));
    p.fillRect(area, sky);

    QRadialGradient glow(QPointF(area.width() * 0.25, area.height() * 0.18), area.width() * 0.9);
    glow.setColorAt(0.0, QColor(255, 255, 255, 70));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(area, glow);
}

void DrawNetwork(QPainter& p, QRectF area, int step) {
    Sequence random(static_cast<unsigned>(step) + 1);
    constexpr int kNodes = 9;
    std::array<QPointF, kNodes> nodes;
    for (int i = 0; i < kNodes; ++i) {
        // Spread over the lower two thirds, one node per band so that lines do not bunch up.
        const qreal band = area.height() * (0.42 + 0.54 * i / kNodes);
        // The lowest nodes keep clear of the step number in the right corner.
        const qreal spread = band > area.height() * 0.72 ? 0.45 : 0.8;
        nodes[static_cast<size_t>(i)] = QPointF(area.width() * (0.1 + spread * random.Next()),
                                                band + area.height() * 0.05 * random.Next());
    }
    QPen line(QColor(255, 255, 255, 60), area.width() / 110.0);
    p.setPen(line);
    for (int i = 0; i + 1 < kNodes; ++i) {
        p.drawLine(nodes[static_cast<size_t>(i)], nodes[static_cast<size_t>(i + 1)]);
        if (i + 3 < kNodes && random.Next() < 0.5)
            p.drawLine(nodes[static_cast<size_t>(i)], nodes[static_cast<size_t>(i + 3)]);
    }
    p.setPen(Qt::NoPen);
    const qreal r = area.width() / 45.0;
    for (const QPointF& node : nodes) {
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(node, r * 2.2, r * 2.2);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(node, r, r);
    }
}

// A telephone handset: a curved grip with an ear piece and a mouth piece, drawn in a 100 x 100
// box and placed with `where`.
void DrawHandset(QPainter& p, const QTransform& where) {
    QPainterPath grip;
    grip.moveTo(12, 60);
    grip.cubicTo(16, 24, 84, 24, 88, 60);
    QPainterPathStroker stroker;
    stroker.setWidth(13);
    stroker.setCapStyle(Qt::RoundCap);
    // One path filled by the winding rule: the grip and both pieces are drawn as their union
    // without computing it.
    QPainterPath handset = stroker.createStroke(grip);
    handset.addRoundedRect(QRectF(-8, 50, 40, 26), 12, 12);
    handset.addRoundedRect(QRectF(68, 50, 40, 26), 12, 12);
    handset.setFillRule(Qt::WindingFill);

    p.save();
    p.setTransform(where, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(handset.translated(2.5, 3.5));
    QLinearGradient shine(QPointF(0, 30), QPointF(0, 75));
    shine.setColorAt(0.0, QColor(255, 255, 255));
    shine.setColorAt(1.0, QColor(214, 228, 242));
    p.setBrush(shine);
    p.drawPath(handset);
    p.restore();
}

void DrawStepNumber(QPainter& p, QRectF area, int step) {
    const qreal d = area.width() * 0.26;
    const QRectF badge(area.right() - d - area.width() * 0.08,
                       area.bottom() - d - area.width() * 0.08, d, d);
    p.setPen(QPen(QColor(255, 255, 255, 200), area.width() / 80.0));
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawEllipse(badge);
    QFont font = p.font();  // the labels' face: no other font file to open
    font.setPixelSize(static_cast<int>(d * 0.5));
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 235));
    p.drawText(badge, Qt::AlignCenter, QString::number(step + 1));
}

}  // namespace

QPixmap StepPicture(int step, QSize size, qreal devicePixelRatio) {
    const QString key = QStringLiteral("zelwiz-step-%1-%2x%3@%4")
                            .arg(step)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;

    picture = QPixmap(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    DrawBackground(p, area, step);
    DrawNetwork(p, area, step);
    const qreal s = area.width() * 0.66 / 100.0;
    DrawHandset(p, QTransform::fromTranslate(area.width() * 0.5, area.height() * 0.2)
                       .rotate(40)
                       .scale(s, s)
                       .translate(-50, -50));
    DrawStepNumber(p, area, step);
    p.end();
    QPixmapCache::insert(key, picture);
    return picture;
}

}  // namespace zelwiz::qt
