// The advert pane fetches a page over loopback http, shows its text,
// fetches nothing the page names, and reports failures.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "platform/qt/web_pane.h"

namespace vask {
namespace {

// Answers every request on a loopback port with one fixed response, and
// counts the requests.
class OnePageServer {
 public:
  explicit OnePageServer(QByteArray response) : response_(std::move(response)) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection()) {
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
          if (!s->readAll().contains("\r\n\r\n")) return;
          ++requests;
          s->write(response_);
          s->disconnectFromHost();
        });
      }
    });
  }
  QString Url(const char* path) const { return QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path); }
  int requests = 0;

 private:
  QTcpServer server_;
  QByteArray response_;
};

QByteArray HttpResponse(const char* status, const QByteArray& type, const QByteArray& body) {
  return QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
         QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Navigates and waits (bounded) for the pane's report.
std::optional<bool> Load(WebPane& pane, const QString& url) {
  std::optional<bool> result;
  QEventLoop loop;
  QObject::connect(&pane, &WebPane::Loaded, &loop, [&](bool ok) {
    result = ok;
    loop.quit();
  });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  pane.Navigate(url);
  loop.exec();
  return result;
}

TEST(WebPane, ShowsThePageTextAndFetchesNothingItNames) {
  OnePageServer server(HttpResponse(
      "200 OK", "text/html; charset=utf-8",
      "<html><body><p>本周比赛</p><img src=\"http://127.0.0.1:1/x.gif\"><img src=\"file:///etc/hostname\">"
      "<script>document.write('run')</script></body></html>"));
  WebPane pane;
  EXPECT_EQ(Load(pane, server.Url("/ad")), std::optional<bool>(true));
  EXPECT_TRUE(pane.toPlainText().contains(QString::fromUtf8("本周比赛")));
  EXPECT_FALSE(pane.toPlainText().contains("run"));
  EXPECT_EQ(server.requests, 1);
  EXPECT_TRUE(pane.HasPage());
  EXPECT_EQ(pane.contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_FALSE(pane.openLinks());
}

TEST(WebPane, ReportsPagesThatDoNotLoadAndHasNoPageToShow) {
  OnePageServer missing(HttpResponse("404 Not Found", "text/html", "<p>gone</p>"));
  WebPane pane;
  // A table without adverts shows no empty box: nothing loaded, nothing shown.
  EXPECT_FALSE(pane.HasPage());
  OnePageServer page(HttpResponse("200 OK", "text/plain", "x"));
  EXPECT_EQ(Load(pane, page.Url("/ad")), std::optional<bool>(true));
  EXPECT_EQ(Load(pane, missing.Url("/ad")), std::optional<bool>(false));
  EXPECT_FALSE(pane.HasPage());
  OnePageServer huge(HttpResponse("200 OK", "text/plain", QByteArray(WebPane::kMaxPageBytes + 1, 'a')));
  EXPECT_EQ(Load(pane, huge.Url("/big")), std::optional<bool>(false));
  EXPECT_EQ(Load(pane, "http://127.0.0.1:1/closed"), std::optional<bool>(false));
}

TEST(WebPane, OnlyWebAddressesAreFetched) {
  WebPane pane;
  for (const char* url : {"file:///etc/hostname", "ftp://127.0.0.1/x", "javascript:alert(1)", "", "http://"}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(Load(pane, url), std::optional<bool>(false));
    EXPECT_TRUE(pane.toPlainText().isEmpty());
  }
}

}  // namespace
}  // namespace vask
