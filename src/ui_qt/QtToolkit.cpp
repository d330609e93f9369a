#include "ui_qt/QtToolkit.h"

#include <QApplication>
#include <QEventLoop>
#include <QImageReader>
#include <QKeyEvent>
#include <QMessageBox>
#include <algorithm>

#include "platform/Form.h"
#include "platform/Picture.h"
#include "ui_qt/Captions.h"
#include "ui_qt/FormWindow.h"

namespace zelwiz::qt {
namespace {

QMessageBox::Icon IconFor(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

QtToolkit::QtToolkit() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    Q_ASSERT_X(app != nullptr, "QtToolkit", "needs a QApplication");
    app->installEventFilter(this);
    connect(app, &QApplication::focusChanged, this, &QtToolkit::FocusChanged);
}

QtToolkit::~QtToolkit() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
    auto windows = std::move(windows_);
    for (const auto& window : windows)
        delete window.data();
}

FormWindow* QtToolkit::WindowOf(const Form& form) const {
    for (const auto& window : windows_) {
        if (window && window->ModelForm() == &form)
            return window;
    }
    return nullptr;
}

void QtToolkit::ShowForm(Form& form, bool modal) {
    FormWindow* window = WindowOf(form);
    if (window == nullptr) {
        window = new FormWindow(form, *this, modal ? DialogParent() : nullptr);
        windows_.emplace_back(window);
    }
    if (auto pending = pendingFocus_.find(&form); pending != pendingFocus_.end()) {
        Control* control = pending->second;
        pendingFocus_.erase(pending);
        window->FocusControl(*control);
    }
    window->ShowModel(modal);
    ThrowIfEnded();
}

void QtToolkit::ThrowIfEnded() const {
    if (ended_)
        throw *ended_;
}

void QtToolkit::FormUnloaded(Form& form) {
    pendingFocus_.erase(&form);
    if (FormWindow* window = WindowOf(form))
        window->Unloaded();
    QuitWhenNoneShown();
}

void QtToolkit::Forget(FormWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    QuitWhenNoneShown();
}

void QtToolkit::QuitWhenNoneShown() {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [](const QPointer<FormWindow>& w) {
                                      return w.isNull() || w->ModelForm() == nullptr;
                                  }),
                   windows_.end());
    if (windows_.empty() && runLoop_ != nullptr)
        runLoop_->quit();
}

void QtToolkit::Run() {
    ThrowIfEnded();
    QuitWhenNoneShown();
    if (windows_.empty())
        return;
    QEventLoop loop;
    runLoop_ = &loop;
    loop.exec();
    runLoop_ = nullptr;
    ThrowIfEnded();
}

QWidget* QtToolkit::DialogParent() const {
    if (auto* active = qobject_cast<FormWindow*>(QApplication::activeWindow()))
        return active;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (*it && (*it)->ModelForm() != nullptr && (*it)->isVisible())
            return *it;
    }
    return nullptr;
}

int QtToolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(IconFor(style), FromModel(title.empty() ? AppTitle() : title),
                    FromModel(prompt), QMessageBox::Ok, DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleName(box.windowTitle());
    box.setAccessibleDescription(box.text());
    box.exec();
    return vbOK;
}

void QtToolkit::DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ThrowIfEnded();
}

void QtToolkit::SetFocus(Control& control) {
    if (FormWindow* window = WindowOf(control.Parent()))
        window->FocusControl(control);
    else
        pendingFocus_[&control.Parent()] = &control;
}

std::shared_ptr<const Picture> QtToolkit::LoadPicture(const std::string& path) {
    QImageReader reader(FromModel(path));
    if (!reader.canRead())
        return nullptr;
    QSize size = reader.size();
    if (!size.isValid()) {
        const QImage image = reader.read();
        if (image.isNull())
            return nullptr;
        size = image.size();
    }
    return std::make_shared<Picture>(path, size.width(), size.height());
}

bool QtToolkit::ActivateWindow(const std::string& caption) {
    const QString title = FromModel(caption);
    for (const auto& window : windows_) {
        if (!window || window->ModelForm() == nullptr || !window->isVisible() ||
            window->windowTitle() != title)
            continue;
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
        return true;
    }
    return false;
}

void QtToolkit::SetAppTitle(std::string title) {
    Toolkit::SetAppTitle(std::move(title));
    QGuiApplication::setApplicationDisplayName(FromModel(AppTitle()));
}

void QtToolkit::CallModel(const std::function<void()>& call) {
    try {
        call();
    } catch (const ProgramEnd& end) {
        // Exceptions must not cross Qt's event loops: each loop stops and its caller throws.
        ended_ = end;
        for (const auto& window : windows_) {
            if (window)
                window->StopModalLoop();
        }
        if (runLoop_ != nullptr)
            runLoop_->quit();
    } catch (...) {
        CaptureCurrentException(0);
        const ErrorRecord record = Err();
        ClearErr();
        if (onUntrappedError) {
            onUntrappedError(record);
            return;
        }
        qWarning("run-time error %d: %s", int(record.Number), record.Description.c_str());
        MsgBox("Run-time error '" + std::to_string(record.Number) + "':\n\n" + record.Description,
               vbCritical, AppTitle());
    }
}

bool QtToolkit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // The key goes to the focused widget first: the form hears of it before that delivery only
    // (not again while it travels up to the parents).
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget != focus && !(focus == nullptr && widget->isWindow()))
        return false;
    auto* window = qobject_cast<FormWindow*>(widget->window());
    return window != nullptr && window->PreviewKey(static_cast<QKeyEvent*>(event));
}

void QtToolkit::FocusChanged(QWidget* old, QWidget* now) {
    (void)old;
    if (now == nullptr)
        return;
    if (auto* window = qobject_cast<FormWindow*>(now->window()))
        window->FocusArrived(now);
}

}  // namespace zelwiz::qt
