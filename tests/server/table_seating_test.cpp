// Login, seating, readiness, chat and leaving, driven through fake seats.
#include <gtest/gtest.h>

#include <set>

#include "core/connection/gbk.h"
#include "server/table_fixture.h"

namespace vask::server::test {
namespace {

std::string AccountAt(const Frame& f, std::size_t at) {
  std::string s;
  for (std::size_t i = at; i < at + 16 && f[i] != 0; ++i) s.push_back(static_cast<char>(f[i]));
  return s;
}

// Departures that name a player (the filled table's countdown names nobody).
std::vector<Frame> Departures(const Harness& h, LinkId link) {
  std::vector<Frame> out;
  for (const Frame& f : h.Frames(link, Cmd::PlayerLeaves))
    if (!AccountAt(f, layout::kAccountName).empty()) out.push_back(f);
  return out;
}

TEST(Seating, LoginAnswerAndOwnRecordThenOthersUnplaced) {
  Harness h(WithoutQuestions());
  h.Join("alice", 1);
  h.Join("bob", 2);
  auto login = h.Received(2, Cmd::Login);
  ASSERT_EQ(login.size(), 1u);
  EXPECT_EQ(login[0].value[3], 1);
  EXPECT_EQ((login[0].value[1] & 15) * 2, 14);  // the default countdown the client shows
  auto infos = h.Frames(2, Cmd::PlayerInfo);
  ASSERT_EQ(infos.size(), 2u);
  EXPECT_EQ(infos[0][frame_offset::kSeat], 15);  // own record first
  EXPECT_EQ(AccountAt(infos[0], layout::kAccount), "bob");
  EXPECT_EQ(infos[1][frame_offset::kSeat], 0);  // alice, not yet placed
  EXPECT_EQ(AccountAt(infos[1], layout::kAccount), "alice");
  // alice hears of bob the same way.
  auto toAlice = h.Frames(1, Cmd::PlayerInfo);
  EXPECT_EQ(toAlice.back()[frame_offset::kSeat], 0);
  EXPECT_EQ(AccountAt(toAlice.back(), layout::kAccount), "bob");
}

TEST(Seating, TheFourthPlayerCompletesTheTableForEveryone) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  for (LinkId l = 1; l <= 4; ++l) {
    auto names = h.Frames(l, Cmd::SeatName);
    ASSERT_EQ(names.size(), 4u) << l;
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(names[k][frame_offset::kSeat], SeatMask(static_cast<int>(k)));
      EXPECT_EQ(AccountAt(names[k], frame_offset::kPayload), "p" + std::to_string(k + 1));
    }
    // After the names, one record per seat mask (the client counts four),
    // then its own under seat 15, which makes its start button usable.
    auto infos = h.Frames(l, Cmd::PlayerInfo);
    ASSERT_GE(infos.size(), 5u);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(infos[infos.size() - 5 + k][frame_offset::kSeat], SeatMask(static_cast<int>(k)));
    EXPECT_EQ(infos.back()[frame_offset::kSeat], 15);
    EXPECT_EQ(AccountAt(infos.back(), 168), "p" + std::to_string(l));
    auto states = h.Received(l, Cmd::TableState);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back().value[3], kTableWaiting);
  }
}

TEST(Seating, RefusesWhatIsNoLogin) {
  Harness h(WithoutQuestions());
  h.table.Connect(1, h.now);
  h.Send(1, client_frames::Ready(1));  // not logged in yet
  EXPECT_EQ(h.Count(1), 0u);
  EXPECT_EQ(h.table.SeatOfLink(1), -1);

  h.table.Connect(2, h.now);
  Frame bad = client_frames::Login("", "k");  // no account
  h.Send(2, bad);
  ASSERT_EQ(h.Received(2, Cmd::Login).size(), 1u);
  EXPECT_EQ(h.Received(2, Cmd::Login)[0].value[3], static_cast<int>(LoginVerdict::BadLogin));
  EXPECT_TRUE(h.out.closed.count(2));

  h.table.Connect(3, h.now);
  Frame control = client_frames::Login("ab\x07", "k");  // unprintable account
  h.Send(3, control);
  EXPECT_TRUE(h.out.closed.count(3));
  EXPECT_EQ(h.table.RefusedFrames(), 3);
}

TEST(Seating, AFifthPlayerAndASecondLoginOfASeatedAccountAreTurnedAway) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 3; ++l) h.Join("p" + std::to_string(l), l);
  h.Join("p1", 9);  // p1 is still connected
  EXPECT_EQ(h.Received(9, Cmd::Login)[0].value[3], static_cast<int>(LoginVerdict::NoSeat));
  EXPECT_TRUE(h.out.closed.count(9));
  EXPECT_EQ(h.table.SeatOfLink(1), 0);
  h.Join("p4", 4);
  h.Join("p5", 5);
  EXPECT_EQ(h.Received(5, Cmd::Login)[0].value[3], static_cast<int>(LoginVerdict::NoSeat));
  EXPECT_TRUE(h.out.closed.count(5));
}

TEST(Seating, ReadinessIsRelayedAndFourReadyStartTheGame) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  h.Send(3, client_frames::Ready(4));
  auto ready = h.Frames(1, Cmd::Ready);
  ASSERT_EQ(ready.size(), 1u);
  EXPECT_EQ(AccountAt(ready[0], layout::kAccountName), "p3");
  EXPECT_EQ(DecodeHeader(ready[0]).value[3], 1);
  h.Send(3, client_frames::Ready(4));  // twice is once
  EXPECT_EQ(h.Frames(1, Cmd::Ready).size(), 1u);

  for (LinkId l : {1u, 2u, 4u}) h.Send(l, client_frames::Ready(SeatMask(static_cast<int>(l - 1))));
  ASSERT_NE(h.table.CurrentHand(), nullptr);
  for (LinkId l = 1; l <= 4; ++l) {
    auto start = h.Frames(l, Cmd::TableState).back();
    EXPECT_EQ(DecodeHeader(start).value[3], kGameStart);
    EXPECT_EQ(start[frame_offset::kSeat], 1);  // seat 0 deals first
    std::uint32_t id = 0;
    for (std::size_t i = 0; i < 4; ++i) id |= static_cast<std::uint32_t>(start[layout::kReloginId + i]) << (8 * i);
    EXPECT_EQ(id, h.table.Seat(static_cast<int>(l - 1)).reloginId);
    EXPECT_NE(id, 0u);
  }
}

TEST(Seating, AfterTheNamesOnlyTheOwnMaskIsAccepted) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  h.Send(2, client_frames::KeepAlive(2));  // seat 1 shows it knows its mask
  int before = h.table.RefusedFrames();
  h.Send(2, client_frames::Ready(1));  // now another seat's mask is refused
  EXPECT_EQ(h.table.RefusedFrames(), before + 1);
  EXPECT_FALSE(h.table.Seat(1).ready);
  h.Send(2, client_frames::Ready(2));
  EXPECT_TRUE(h.table.Seat(1).ready);
}

TEST(Chat, RelayedToEveryoneFromTheSendersSeat) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  std::string text = Utf8ToGbk("p2说道： 你好");
  Frame line = client_frames::Chat(2, text, 4);
  line[frame_offset::kSeat] = 8;  // claims to be seat 3 before confirming its mask
  h.Send(2, line);
  for (LinkId l = 1; l <= 4; ++l) {
    auto chat = h.Frames(l, Cmd::Chat);
    ASSERT_EQ(chat.size(), 1u) << l;
    EXPECT_EQ(chat[0][frame_offset::kSeat], 2);  // the real sender
    EXPECT_EQ(DecodeHeader(chat[0]).value[1], 4);
    EXPECT_EQ(GbkToUtf8(ChatTextOf(chat[0])), "p2说道： 你好");
  }
}

TEST(Chat, DropsPluginFramesEmptyLinesAndFloods) {
  TableOptions o = WithoutQuestions();
  o.chatBurst = 2;
  Harness h(o);
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  Frame prop = client_frames::Chat(1, "x");
  prop[frame_offset::kPropMarker + 2] = 1;
  prop[frame_offset::kPropMarker + 3] = 16;  // marker 272
  h.Send(1, prop);
  h.Send(1, client_frames::Chat(1, ""));
  for (int i = 0; i < 4; ++i) h.Send(1, client_frames::Chat(1, "hi"));
  EXPECT_EQ(h.Frames(2, Cmd::Chat).size(), 2u);
  h.Advance(o.chatWindow);
  h.Send(1, client_frames::Chat(1, "again"));
  EXPECT_EQ(h.Frames(2, Cmd::Chat).size(), 3u);
}

TEST(Chat, CutsAHalfCharacterAndAnUnknownAddressee) {
  Harness h(WithoutQuestions());
  h.Join("p1", 1);
  h.Join("p2", 2);
  std::string text = "ab";
  text.push_back(static_cast<char>(0xC4));  // a lead byte with nothing after it
  h.Send(1, client_frames::Chat(1, text, 8));  // seat 3 is empty
  auto chat = h.Frames(2, Cmd::Chat);
  ASSERT_EQ(chat.size(), 1u);
  EXPECT_EQ(ChatTextOf(chat[0]), "ab");
  EXPECT_EQ(chat[0][frame_offset::kPayload + 2], 0);
  EXPECT_EQ(DecodeHeader(chat[0]).value[1], 0);
}

TEST(Leaving, BetweenHandsFreesTheSeatAndTellsTheOthers) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  h.Send(3, client_frames::Leave(4));
  EXPECT_TRUE(h.out.closed.count(3));
  EXPECT_FALSE(h.table.Seat(2).taken);
  auto left = Departures(h, 1);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(AccountAt(left[0], layout::kAccountName), "p3");
  h.Join("p9", 9);  // the seat is free again
  EXPECT_EQ(h.table.SeatOfLink(9), 2);
}

TEST(Leaving, AnAbsentSeatIsGivenUpAfterAWhileBetweenHands) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  h.table.Disconnect(2, h.now);
  h.Advance(TableOptions{}.absentRelease - 1);
  EXPECT_TRUE(h.table.Seat(1).taken);
  h.Advance(1);
  EXPECT_FALSE(h.table.Seat(1).taken);
  EXPECT_EQ(Departures(h, 1).size(), 1u);
}

// Every player shows a face of its own, its sex that of the portrait's set,
// and keeps it when it leaves and comes back.
TEST(Portraits, FourPlayersFourFacesKeptAcrossTheVisit) {
  Harness h(WithoutQuestions());
  for (LinkId l = 1; l <= 4; ++l) h.Join("p" + std::to_string(l), l);
  auto faceOf = [&](LinkId seen, const std::string& account) {
    std::string face;
    for (const Frame& f : h.Frames(seen, Cmd::PlayerInfo)) {
      if (AccountAt(f, layout::kAccount) != account) continue;
      face = AccountAt(f, layout::kFace);
      EXPECT_EQ(f[layout::kSex] != 0, face.front() == 'm') << face;
    }
    return face;
  };
  std::set<std::string> faces;
  for (int k = 1; k <= 4; ++k) faces.insert(faceOf(1, "p" + std::to_string(k)));
  EXPECT_EQ(faces.size(), 4u);
  EXPECT_FALSE(faces.count(""));
  const std::string p3 = faceOf(1, "p3");
  EXPECT_EQ(faceOf(3, "p3"), p3);  // the player sees itself as the others see it

  h.Send(3, client_frames::Leave(4));
  h.Join("p9", 9);
  const std::string p9 = faceOf(9, "p9");
  EXPECT_NE(p9, p3);
  h.Send(9, client_frames::Leave(4));
  h.Join("p3", 10);
  EXPECT_EQ(faceOf(10, "p3"), p3);
}

TEST(Portraits, TheTwentyFacesAreTheClientsMaleAndFemaleSets) {
  EXPECT_EQ(PortraitOf(0).face, "m1");
  EXPECT_EQ(PortraitOf(9).face, "m10");
  EXPECT_TRUE(PortraitOf(9).male);
  EXPECT_EQ(PortraitOf(10).face, "w1");
  EXPECT_EQ(PortraitOf(19).face, "w10");
  EXPECT_FALSE(PortraitOf(19).male);
  // Twenty-one accounts at different times: the first twenty all differ.
  PortraitBook book;
  std::set<std::string> faces;
  for (int i = 0; i < 20; ++i) faces.insert(book.For("a" + std::to_string(i), {}).face);
  EXPECT_EQ(faces.size(), 20u);
  // Beyond twenty, still none that a player at the table wears.
  EXPECT_NE(book.For("late", {"m1", "w1"}).face, "m1");
  EXPECT_EQ(book.For("a0", {"m1"}).face, "m1");
}

TEST(Links, ALinkThatNeverLogsInIsDropped) {
  Harness h(WithoutQuestions());
  h.table.Connect(7, h.now);
  EXPECT_EQ(h.table.NextDeadline(), h.now + TableOptions{}.loginTimeout);
  h.Advance(TableOptions{}.loginTimeout);
  EXPECT_TRUE(h.out.closed.count(7));
}

}  // namespace
}  // namespace vask::server::test
