#include "ui_qt/OnDemandToolkit.h"

#include <sys/stat.h>

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "platform/ErrorInfo.h"
#include "ui_qt/QtToolkit.h"

namespace zelwiz::qt {
namespace {

bool SocketExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

// For the start-up measurement (ZELWIZ_EXIT_AFTER_FIRST_PAINT set): the program ends right after
// its first window has been painted once.
class ExitAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && !painted_ && widget != nullptr &&
            widget->isWindow()) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool painted_ = false;
};

}  // namespace

bool DisplayAvailable() {
    if (!Env("QT_QPA_PLATFORM").empty())
        return true;
    const std::string wayland = Env("WAYLAND_DISPLAY");
    if (!wayland.empty()) {
        if (wayland.front() == '/' ? SocketExists(wayland)
                                   : SocketExists(Env("XDG_RUNTIME_DIR") + "/" + wayland)) {
            return true;
        }
    }
    const std::string x11 = Env("DISPLAY");
    if (x11.empty())
        return false;
    // ":N" or ":N.S" is a local display with its socket in /tmp/.X11-unix; a host name before
    // the colon is a remote display, which only connecting would tell.
    if (x11.front() != ':')
        return true;
    const std::string number =
        x11.substr(1, x11.find('.') == std::string::npos ? x11.npos : x11.find('.') - 1);
    return SocketExists("/tmp/.X11-unix/X" + number);
}

OnDemandToolkit::OnDemandToolkit(std::function<void(const std::string&)> report)
    : report_(std::move(report)) {}

OnDemandToolkit::~OnDemandToolkit() {
    qt_.reset();
    app_.reset();
}

bool OnDemandToolkit::OpenDisplay() {
    if (qt_)
        return true;
    if (!DisplayAvailable())
        return false;
    static int argc = 1;
    static char name[] = "zelwiz";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    if (!Env("ZELWIZ_EXIT_AFTER_FIRST_PAINT").empty())
        app_->installEventFilter(new ExitAfterFirstPaint(app_.get()));
    qt_ = std::make_unique<QtToolkit>();
    qt_->SetAppTitle(AppTitle());
    return true;
}

void OnDemandToolkit::ShowForm(Form& form, bool modal) {
    if (!OpenDisplay()) {
        report_("cannot show the " + AppTitle() +
                " window: no display could be opened (DISPLAY or WAYLAND_DISPLAY names none that "
                "runs); nothing "
                "was saved");
        End(2);
    }
    qt_->ShowForm(form, modal);
}

void OnDemandToolkit::FormUnloaded(Form& form) {
    if (qt_) {
        qt_->FormUnloaded(form);
    } else {
        headless_.FormUnloaded(form);
    }
}

int OnDemandToolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    if (OpenDisplay())
        return qt_->MsgBox(prompt, style, title);
    report_(title + ": " + prompt);
    return vbOK;
}

void OnDemandToolkit::DoEvents() {
    if (qt_)
        qt_->DoEvents();
}

void OnDemandToolkit::SetFocus(Control& control) {
    if (qt_) {
        qt_->SetFocus(control);
    } else {
        headless_.SetFocus(control);
    }
}

std::shared_ptr<const Picture> OnDemandToolkit::LoadPicture(const std::string& path) {
    return qt_ ? qt_->LoadPicture(path) : headless_.LoadPicture(path);
}

bool OnDemandToolkit::ActivateWindow(const std::string& caption) {
    return qt_ && qt_->ActivateWindow(caption);
}

void OnDemandToolkit::SetAppTitle(std::string title) {
    if (qt_)
        qt_->SetAppTitle(title);
    Toolkit::SetAppTitle(std::move(title));
}

void OnDemandToolkit::Run() {
    if (qt_)
        qt_->Run();
}

bool OnDemandToolkit::ActivateWindowFromAnyThread(const std::string& caption) {
    if (!qt_)
        return false;
    bool found = false;
    QMetaObject::invokeMethod(
        qt_.get(), [&] { found = qt_->ActivateWindow(caption); }, Qt::BlockingQueuedConnection);
    return found;
}

}  // namespace zelwiz::qt
