#include "core/connection/dispatcher.h"

#include "core/client.h"
#include "core/handlers.h"

namespace vask {

void ProcessMsg(Client& c, MsgInfo& info) {
  ConnectionState& s = c.conn;
  if (s.Msg[frame_offset::kCmd] != static_cast<int>(Cmd::ReloginAnswer)) {
    s.ServerTag[0] = s.Msg[frame_offset::kServerTag];
    s.ServerTag[1] = s.Msg[frame_offset::kServerTag + 1];
  }
  if (info.cmd < 1 || info.cmd > kHighestRoutedCmd) return OnUnassigned(c, info);
  switch (static_cast<Cmd>(info.cmd)) {
    case Cmd::Deal: return OnDeal(c, info);
    case Cmd::Discard: return OnDiscard(c, info);
    case Cmd::SeatName: return OnSeatName(c, info);
    case Cmd::HandStart: return OnHandStart(c, info);
    case Cmd::Draw: return OnDraw(c, info);
    case Cmd::Turn: return OnTurn(c, info);
    case Cmd::Claim: return OnClaim(c, info);
    case Cmd::HandResult: return OnHandResult(c, info);
    case Cmd::Wildcards: return OnWildcards(c, info);
    case Cmd::Reveal: return OnReveal(c, info);
    case Cmd::TableState: return OnTableState(c, info);
    case Cmd::SettleItem: return OnSettleItem(c, info);
    case Cmd::Login: return OnLogin(c, info);
    case Cmd::Chat: return OnChat(c, info);
    case Cmd::PlayerInfo: return OnPlayerInfo(c, info);
    case Cmd::PlayerLeaves: return OnPlayerLeaves(c, info);
    case Cmd::LeaveNotice: return OnLeaveNotice(c, info);
    case Cmd::Ready: return OnReady(c, info);
    case Cmd::PullSit: return OnPullSit(c, info);
    case Cmd::ReloginAnswer: return OnReloginAnswer(c, info);
    case Cmd::Restore: return OnRestore(c, info);
    case Cmd::GameParams: return OnGameParams(c, info);
    case Cmd::PropA: return OnPropA(c, info);
    case Cmd::PropB: return OnPropB(c, info);
    case Cmd::PropScore: return OnPropScore(c, info);
    case Cmd::OwnGold: return OnOwnGold(c, info);
    case Cmd::OtherGold: return OnOtherGold(c, info);
    // Sent by the client only; the server never routes them here.
    case Cmd::KeepAlive:
    case Cmd::Relogin:
      break;
  }
  OnUnassigned(c, info);
}

}  // namespace vask
