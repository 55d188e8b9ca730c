#include "bots/table_bot.h"

#include "core/connection/startup.h"

namespace vask::bots {

std::string PracticeCommandLine(const std::string& account, const std::string& key, const std::string& host,
                                std::uint16_t port) {
  return account + "$" + key + "$" + host + "$" + std::to_string(port) + "$本地练习$0$$0$$$1$Vask山庄$" + account +
         "$1$0$";
}

std::string WatcherCommandLine(const std::string& account, std::int64_t playerId, const std::string& host,
                               std::uint16_t port) {
  const std::string id = std::to_string(playerId);
  return account + "$watch:" + id + "$" + host + "$" + std::to_string(port) + "$看台$" + id;
}

TableBot::TableBot(BotOptions options)
    : options_(std::move(options)),
      platform_(options_.seed, options_.warp),
      client_(platform_),
      player_(client_, options_.strength, options_.thinkMs) {
  player_.PaceReadiness(options_.readyPauseMs, options_.fellowBots);
  platform_.busy = [this] {
    const ConnectionState& s = client_.conn;
    // A line that dropped mid-hand is only waited for by the client's own
    // timers (the connection watch, the reconnect dialog): race to them. An
    // attempt under way waits for the network, in real time, or the next
    // attempt would cut it off before the server could answer.
    const bool dropped = platform_.SocketState() != kSocketConnected && client_.table.bInGame &&
                         !client_.recon.bReloginPending;
    return dropped || s.RecvBuf.Unread() >= kFrameSize || s.SendBuf.Unread() >= kFrameSize;
  };
}

bool TableBot::Start() { return StartUp(client_, PracticeCommandLine(options_.account, options_.key, options_.host, options_.port)); }

void TableBot::Act() {
  if (!platform_.quit) player_.Act();
}

}  // namespace vask::bots
