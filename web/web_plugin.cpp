#include "web/web_plugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLibrary>
#include <QOpenGLContext>
#include <QPointer>
#include <QWidget>
#include <future>
#include <memory>

#include "inventory/error.h"

// Qt's application-wide OpenGL share context, which the browser engine expects to find (Qt makes
// it as it starts when Qt::AA_ShareOpenGLContexts is set); set through these functions of QtGui.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace kestrel::web {
namespace {

// The browser engine draws without OpenGL (see the plugin), but reads the share context's format
// as it starts and crashes where there is none; its library looks for it as it is loaded, too.
// A context that is never created answers both without bringing up OpenGL.
void provideShareContext() {
    if (qt_gl_global_share_context()) return;
    // Kept for the life of the process, as the engine may look at it until the end.
    qt_gl_set_global_share_context(new QOpenGLContext);
}

// Loads the plugin; the share context must exist by then.
WebAccess* loadPlugin() {
    // The plugin's place relative to the executable is the same in the build tree and installed.
    QLibrary library(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(KESTREL_WEB_PLUGIN)));
    const auto entry = reinterpret_cast<WebAccessEntry>(library.resolve(kWebAccessEntry));
    if (!entry) {
        throw Error("the web plugin cannot be loaded: " + library.errorString().toStdString());
    }
    return entry();
}

class Plugin : public QObject {
  public:
    Plugin() {
        // A background load still running when Kestrel ends must finish while Qt is there.
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
            if (loading_.valid()) loading_.wait();
        });
    }

    void preloadOnceShown() { qApp->installEventFilter(this); }

    WebAccess& webAccess() {
        if (!loading_.valid()) {
            provideShareContext();
            loading_ = std::async(std::launch::deferred, loadPlugin);
        }
        return *loading_.get();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            // The window's own paint event comes first: start once its controls are drawn too.
            QMetaObject::invokeMethod(
                this,
                [this, window = QPointer(static_cast<QWidget*>(watched))] { startLoading(window); },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    // The library loads on a thread of its own. The engine has to be started on the GUI thread
    // after that, and only while the first window is still up: once the customer has gone on,
    // the main window starts it itself.
    void startLoading(QPointer<QWidget> firstWindow) {
        if (loading_.valid()) return;
        provideShareContext();
        loading_ = std::async(std::launch::async, [this, firstWindow] {
                       WebAccess* loaded = loadPlugin();
                       QMetaObject::invokeMethod(this, [loaded, firstWindow] {
                           if (firstWindow && firstWindow->isVisible()) loaded->warmUp();
                       });
                       return loaded;
                   }).share();
    }

    std::shared_future<WebAccess*> loading_;
};

Plugin& plugin() {
    // Never deleted: a QObject that must outlive every window, and the application too.
    static Plugin* const instance = new Plugin;
    return *instance;
}

}  // namespace

void preloadOnceShown() { plugin().preloadOnceShown(); }

WebAccess& webAccess() { return plugin().webAccess(); }

std::string PluginPageReader::readFirstBytes(const std::string& url, std::size_t maxBytes) {
    return webAccess().pageReader().readFirstBytes(url, maxBytes);
}

}  // namespace kestrel::web
