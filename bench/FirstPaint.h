#pragma once
// For the start-up measurement: ends the program right after a window has been painted once.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* window, std::function<void()> end) : end_(std::move(end)) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, [this] { end_(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> end_;
    bool painted_ = false;
};
