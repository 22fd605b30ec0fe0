// The web plugin: the embedded browser on Qt WebEngine and the probe's reader on libcurl.
#include <QAccessible>
#include <QQuickWindow>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "net/curl_page_reader.h"
#include "web/web_access.h"

namespace kestrel::web {
namespace {

// The engine tells assistive technology about a page only when its renderers are told to build
// the page's accessibility tree, which costs start-up time: only when assistive technology is
// listening. Read by the engine as it starts.
void exposePagesToAssistiveTechnology() {
    if (!QAccessible::isActive()) return;
    static constexpr char kFlags[] = "QTWEBENGINE_CHROMIUM_FLAGS";
    static constexpr char kRendererAccessibility[] = "--force-renderer-accessibility";
    const QByteArray flags = qgetenv(kFlags);
    if (flags.contains(kRendererAccessibility)) return;
    qputenv(kFlags, flags.isEmpty() ? QByteArray(kRendererAccessibility)
                                    : flags + ' ' + kRendererAccessibility);
}

class WebEngineAccess final : public WebAccess {
  public:
    // The engine's views draw through Qt Quick, here in software, without OpenGL. A view drawn
    // with OpenGL turns its whole window into an OpenGL surface: showing the main window then
    // made three OpenGL contexts (more than half of the time from OK to the main window) and
    // held the OpenGL driver's memory, and the engine's own start waited for the driver too. One
    // page of text and pictures draws as fast in software, and looks the same; nor does it
    // depend on the machine's OpenGL driver.
    WebEngineAccess() { QQuickWindow::setGraphicsApi(QSGRendererInterface::Software); }

    void warmUp() override {
        if (started_) return;
        start();
        // The profile's first page starts the engine; views made later find it running.
        const QWebEnginePage page(QWebEngineProfile::defaultProfile());
    }

    QWidget& createView(QWidget& host) override {
        if (!started_) start();
        auto* view = new QWebEngineView(&host);
        // Like any browser control, the view takes the focus by Tab and by click; it is the tab
        // stop in its host's place, and the host takes no focus of its own.
        view->setFocusPolicy(Qt::StrongFocus);
        host.setFocusPolicy(Qt::NoFocus);
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        return *view;
    }

    void load(QWidget& view, const QUrl& url) override {
        static_cast<QWebEngineView&>(view).load(url);
    }

    PageReader& pageReader() override { return pageReader_; }

  private:
    void start() {
        started_ = true;
        exposePagesToAssistiveTechnology();
    }

    bool started_ = false;
    CurlPageReader pageReader_;
};

}  // namespace
}  // namespace kestrel::web

extern "C" Q_DECL_EXPORT kestrel::web::WebAccess* kestrelWebAccess() {
    static kestrel::web::WebEngineAccess access;
    return &access;
}
