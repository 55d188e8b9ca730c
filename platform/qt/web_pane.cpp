#include "platform/qt/web_pane.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

namespace vask {

namespace {

bool IsWebUrl(const QUrl& u) { return u.isValid() && !u.host().isEmpty() && (u.scheme() == "http" || u.scheme() == "https"); }

QString Decode(const QByteArray& body) {
  QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  return decoder.decode(body);
}

}  // namespace

WebPane::WebPane(QWidget* parent) : QTextBrowser(parent), network_(new QNetworkAccessManager(this)) {
  setContextMenuPolicy(Qt::NoContextMenu);
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setReadOnly(true);
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  hide();
}

WebPane::~WebPane() {
  if (reply_) reply_->abort();
}

void WebPane::Navigate(const QString& url) {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
  }
  body_.clear();
  const QUrl u(url, QUrl::StrictMode);
  if (!IsWebUrl(u)) {
    // Reported after returning, as a real fetch would be.
    QTimer::singleShot(0, this, [this] { emit Loaded(false); });
    return;
  }
  QNetworkRequest request(u);
  // Redirects only to http or https, never from https down to http.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(3);
  request.setTransferTimeout(kTimeoutMs);
  QNetworkReply* reply = network_->get(request);
  reply_ = reply;
  connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
    body_ += reply->readAll();
    if (body_.size() > kMaxPageBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply] { Finish(reply); });
}

void WebPane::Finish(QNetworkReply* reply) {
  reply->deleteLater();
  if (reply != reply_) return;
  if (reply->isOpen()) body_ += reply->readAll();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 &&
                  body_.size() <= kMaxPageBytes && IsWebUrl(reply->url());
  if (ok) {
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (type.isEmpty() || type.contains("html", Qt::CaseInsensitive)) setHtml(Decode(body_));
    else setPlainText(Decode(body_));
  } else {
    clear();
  }
  hasPage_ = ok;
  body_.clear();
  emit Loaded(ok);
}

QVariant WebPane::loadResource(int, const QUrl&) { return {}; }

}  // namespace vask
