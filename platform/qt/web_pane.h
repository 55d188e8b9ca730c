#pragma once
// A small web pane of our own for the advert pages: it fetches one page
// over http or https, shows it plainly (text and layout, no scripts, no
// pictures, no links followed, no context menu) and says whether the page
// loaded.
#include <QByteArray>
#include <QPointer>
#include <QTextBrowser>

class QNetworkAccessManager;
class QNetworkReply;

namespace vask {

class WebPane final : public QTextBrowser {
  Q_OBJECT
 public:
  explicit WebPane(QWidget* parent = nullptr);
  ~WebPane() override;
  // Fetches the page; anything but an http or https address fails at once.
  void Navigate(const QString& url);
  // A page has loaded and is shown; until then the pane stays out of
  // sight, so that a table without adverts shows no empty box.
  bool HasPage() const { return hasPage_; }

  // A page larger than this is not shown.
  static constexpr qint64 kMaxPageBytes = 512 * 1024;
  static constexpr int kTimeoutMs = 15000;

 signals:
  void Loaded(bool ok);

 protected:
  // The page names other resources (pictures, style sheets, files); none is
  // fetched or read.
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void Finish(QNetworkReply* reply);
  QNetworkAccessManager* network_;
  QPointer<QNetworkReply> reply_;
  QByteArray body_;
  bool hasPage_ = false;
};

}  // namespace vask
