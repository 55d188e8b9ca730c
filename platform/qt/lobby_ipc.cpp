#include "platform/qt/lobby_ipc.h"

#include <QCryptographicHash>
#include <QLocalSocket>

namespace vask::window_link {

namespace {

constexpr char kMagic[4] = {'V', 'K', 'W', 'M'};
constexpr std::uint8_t kVersion = 1;
constexpr int kSenderLenAt = 28;
constexpr int kSenderAt = 29;
constexpr int kSenderMax = kPacketSize - kSenderAt;
// Titles up to this many UTF-8 bytes are spelled out in hex; longer ones are
// hashed so the socket path stays short.
constexpr int kHexTitleMax = 32;

void PutBE(QByteArray& b, int at, std::uint64_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) {
    b[at + i] = static_cast<char>(v & 0xFF);
    v >>= 8;
  }
}

std::uint64_t GetBE(const QByteArray& b, int at, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

bool SafeName(const QString& s) {
  if (s.size() > kSenderMax) return false;
  for (QChar ch : s)
    if (!(ch.isDigit() || (ch >= 'a' && ch <= 'z') || ch == '-')) return false;
  return true;
}

}  // namespace

QString EndpointName(const std::string& title) {
  QByteArray utf8(title.data(), static_cast<qsizetype>(title.size()));
  if (utf8.size() <= kHexTitleMax) return QStringLiteral("vask-w") + QString::fromLatin1(utf8.toHex());
  return QStringLiteral("vask-h") +
         QString::fromLatin1(QCryptographicHash::hash(utf8, QCryptographicHash::Sha1).toHex());
}

QByteArray Encode(const Packet& p) {
  QByteArray b(kPacketSize, '\0');
  for (int i = 0; i < 4; ++i) b[i] = kMagic[i];
  b[4] = static_cast<char>(kVersion);
  b[5] = static_cast<char>(p.kind);
  PutBE(b, 8, p.msg, 4);
  PutBE(b, 12, static_cast<std::uint64_t>(p.wparam), 8);
  PutBE(b, 20, static_cast<std::uint64_t>(p.lparam), 8);
  QByteArray sender = SafeName(p.sender) ? p.sender.toLatin1() : QByteArray();
  b[kSenderLenAt] = static_cast<char>(sender.size());
  for (int i = 0; i < sender.size(); ++i) b[kSenderAt + i] = sender[i];
  return b;
}

std::optional<Packet> Decode(const QByteArray& b) {
  if (b.size() != kPacketSize) return std::nullopt;
  for (int i = 0; i < 4; ++i)
    if (b[i] != kMagic[i]) return std::nullopt;
  if (static_cast<std::uint8_t>(b[4]) != kVersion) return std::nullopt;
  auto kind = static_cast<std::uint8_t>(b[5]);
  if (kind < 1 || kind > 3) return std::nullopt;
  int senderLen = static_cast<std::uint8_t>(b[kSenderLenAt]);
  if (senderLen > kSenderMax) return std::nullopt;
  Packet p;
  p.kind = static_cast<Kind>(kind);
  p.msg = static_cast<std::uint32_t>(GetBE(b, 8, 4));
  p.wparam = static_cast<std::int64_t>(GetBE(b, 12, 8));
  p.lparam = static_cast<std::int64_t>(GetBE(b, 20, 8));
  p.sender = QString::fromLatin1(b.mid(kSenderAt, senderLen));
  if (!SafeName(p.sender)) return std::nullopt;
  return p;
}

bool EndpointExists(const QString& endpoint) {
  if (endpoint.isEmpty()) return false;
  QLocalSocket s;
  s.connectToServer(endpoint);
  bool up = s.waitForConnected(kWaitMs);
  s.abort();
  return up;
}

bool Exists(const std::string& title) { return EndpointExists(EndpointName(title)); }

bool SendTo(const QString& endpoint, const Packet& p) {
  if (endpoint.isEmpty()) return false;
  QLocalSocket s;
  s.connectToServer(endpoint);
  if (!s.waitForConnected(kWaitMs)) return false;
  QByteArray bytes = Encode(p);
  bool ok = s.write(bytes) == bytes.size();
  while (ok && s.bytesToWrite() > 0) ok = s.waitForBytesWritten(kWaitMs);
  s.disconnectFromServer();
  return ok;
}

bool Send(const std::string& title, const Packet& p) { return SendTo(EndpointName(title), p); }

Endpoint::Endpoint(QObject* parent) : QObject(parent) {
  // Only programs of the same user may post to us.
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &Endpoint::OnNewConnection);
}

Endpoint::~Endpoint() { Close(); }

bool Endpoint::Listen(const std::string& title) {
  QString name = EndpointName(title);
  if (server_.isListening() && server_.serverName() == name) return true;
  Close();
  // A socket file left by a program that is gone is taken over; a live one
  // is not (listening would silently replace it).
  if (EndpointExists(name)) return false;
  QLocalServer::removeServer(name);
  return server_.listen(name);
}

void Endpoint::Close() {
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    it.key()->disconnect(this);
    it.key()->abort();
    it.key()->deleteLater();
  }
  pending_.clear();
  if (server_.isListening()) server_.close();
}

void Endpoint::OnNewConnection() {
  while (QLocalSocket* s = server_.nextPendingConnection()) {
    pending_.insert(s, QByteArray());
    connect(s, &QLocalSocket::readyRead, this, [this, s] { OnReadyRead(s); });
    connect(s, &QLocalSocket::disconnected, this, [this, s] {
      pending_.remove(s);
      s->deleteLater();
    });
    if (s->bytesAvailable() > 0) OnReadyRead(s);
  }
}

void Endpoint::OnReadyRead(QLocalSocket* s) {
  auto it = pending_.find(s);
  if (it == pending_.end()) return;
  it->append(s->readAll());
  while (it->size() >= kPacketSize) {
    std::optional<Packet> p = Decode(it->left(kPacketSize));
    if (!p) {
      // Not one of ours: drop the connection rather than guess.
      pending_.erase(it);
      s->disconnect(this);
      s->abort();
      s->deleteLater();
      return;
    }
    it->remove(0, kPacketSize);
    emit Received(*p);
    // The receiver may have closed us meanwhile.
    it = pending_.find(s);
    if (it == pending_.end()) return;
  }
}

}  // namespace vask::window_link
