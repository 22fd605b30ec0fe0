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

// Qt's application-wide OpenGL share context. Qt makes it as it starts when
// Qt::AA_ShareOpenGLContexts is set, which doubles the time to the first window; the browser
// engine's own start-up code sets it the same way, through these functions of QtGui.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace kestrel::web {
namespace {

// The browser engine draws in OpenGL contexts that share with Qt's, and cannot start without
// the share context. It has to exist before the engine's library is loaded, which looks for it,
// and it is made on the GUI thread: made on another one while the GUI thread talks to the X
// server, it breaks the connection.
void makeShareContext() {
    if (qt_gl_global_share_context()) return;
    auto* context = new QOpenGLContext;
    // Where there is no OpenGL the context stays invalid, and the engine draws without it; but
    // it looks for the context all the same, as Qt would have made it.
    context->create();
    // Kept for the life of the process: the engine's contexts share with it until the end.
    qt_gl_set_global_share_context(context);
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
            makeShareContext();
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
        makeShareContext();
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
