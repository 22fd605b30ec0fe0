// The web plugin: the embedded browser on Qt WebEngine and the probe's reader on libcurl.
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
        started_ = true;
        // The profile's first page starts the engine; views made later find it running.
        const QWebEnginePage page(QWebEngineProfile::defaultProfile());
    }

    QWidget& createView(QWidget& host) override {
        started_ = true;
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
    bool started_ = false;
    CurlPageReader pageReader_;
};

}  // namespace
}  // namespace kestrel::web

extern "C" Q_DECL_EXPORT kestrel::web::WebAccess* kestrelWebAccess() {
    static kestrel::web::WebEngineAccess access;
    return &access;
}
