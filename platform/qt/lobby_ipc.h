#pragma once
// The window-message link between the lobby and the client. A window "found
// by its title" is a local socket endpoint named from that title; posting a
// message, restoring and minimising are small fixed-size packets sent to it.
#include <QByteArray>
#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

class QLocalSocket;

namespace vask::window_link {

enum class Kind : std::uint8_t {
  Post = 1,      // a window message with two parameters
  Restore = 2,   // bring the window back to its normal size
  Minimize = 3,  // minimise the window
};

struct Packet {
  Kind kind = Kind::Post;
  std::uint32_t msg = 0;
  std::int64_t wparam = 0;
  std::int64_t lparam = 0;
  QString sender;  // the sender's endpoint name, so the receiver can answer
};

inline constexpr int kPacketSize = 112;
// Waits on the local socket are short: the other side is on this machine.
inline constexpr int kWaitMs = 500;

// The endpoint name of a title: only characters that are safe in a file name
// (the hex of its UTF-8 bytes, or of a hash for long titles).
QString EndpointName(const std::string& title);

QByteArray Encode(const Packet& p);
// nullopt unless the bytes are exactly one well-formed packet.
std::optional<Packet> Decode(const QByteArray& bytes);

// True when something listens under the endpoint.
bool EndpointExists(const QString& endpoint);
bool Exists(const std::string& title);
// Delivers one packet; false when nobody listens or the write fails.
bool SendTo(const QString& endpoint, const Packet& p);
bool Send(const std::string& title, const Packet& p);

// Listens under a title and reports every packet that arrives.
class Endpoint final : public QObject {
  Q_OBJECT
 public:
  explicit Endpoint(QObject* parent = nullptr);
  ~Endpoint() override;

  // Listens under the title, giving up an earlier one. False when another
  // live program already listens under it.
  bool Listen(const std::string& title);
  void Close();
  // The endpoint name listened under (empty when not listening).
  QString Name() const { return server_.isListening() ? server_.serverName() : QString(); }

 signals:
  void Received(const vask::window_link::Packet& packet);

 private:
  void OnNewConnection();
  void OnReadyRead(QLocalSocket* socket);

  QLocalServer server_;
  QHash<QLocalSocket*, QByteArray> pending_;
};

}  // namespace vask::window_link
