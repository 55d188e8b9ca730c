// The records of the visit: the results file written after every hand,
// read back into the score window from the record window, and what a
// missing, cut or hand-edited file shows; the countdown to the next hand.
#include <gtest/gtest.h>

#include "core/connection/reconnect.h"
#include "core/settle/records.h"
#include "settle_fixture.h"

namespace vask::test {
namespace {

// A line as the results file gives it back.
std::string Stored(const std::string& line) {
  const auto b = line.find_first_not_of(' ');
  if (b == std::string::npos) return " ";
  return line.substr(b, line.find_last_not_of(' ') - b + 1);
}

class RecordsTest : public SettleTest {
 protected:
  // A hand won by view `winner`, with a dealer pull so the columns differ.
  void PlayHand(int winner, int lines = 0) {
    StartHand(0);
    for (int i = 0; i < lines; ++i) Play(PullSitFrame(MaskOf(1), 0, true));
    std::array<SettleSpec, 4> s;
    for (int v = 0; v < 4; ++v) s[v] = Settle(v == winner ? 6 : -2, v == winner ? 60 : -20);
    s[winner].winFlags = {0x00, 0x10, 0x00, 0x00};
    EndHand({}, s);
  }
  std::string& File() { return platform.files[ResultsFilePath(client)]; }
  std::array<Column, 8> Shown() {
    std::array<Column, 8> out;
    for (int j = 0; j < 8; ++j) out[j] = State(j);
    return out;
  }
  void DoubleClickRow(const ListControl& list, int row) {
    const ViewModel& v = client.view;
    InputEvent e;
    e.kind = InputKind::DoubleClick;
    e.button = mouse_button::kLeft;
    e.x = v.Pic1.x + v.Hero.x + list.x + 5;
    e.y = v.Pic1.y + v.Hero.y + list.y + list.lineHeight * (static_cast<float>(row) + 0.5f);
    platform.UserInput(e);
  }
};

TEST_F(RecordsTest, EveryHandIsWrittenAndShownAgainFromTheRecordWindow) {
  PlayHand(1);
  const auto first = Shown();
  ScoreId(client, 1).foreColor = 0xFF0000;  // the winner's red name
  WriteResultsFile(client, 1);
  PlayHand(2, 2);
  const auto second = Shown();
  EXPECT_NE(first, second);
  EXPECT_NE(File().find("[juNum:1]"), std::string::npos);
  EXPECT_NE(File().find("[juNum:2]"), std::string::npos);
  // Colours are stored as the system numbers them: red is 255.
  EXPECT_NE(File().find("count( 1 ) ForeColor=255"), std::string::npos);

  client.view.Score.visible = false;
  ToggleRecordWindow(client);
  ASSERT_EQ(HeroNum(client).items.size(), 2u);
  DoubleClickRow(HeroNum(client), 0);
  ASSERT_TRUE(client.view.Score.visible);
  // The file keeps no blanks around a value; a stored empty line comes
  // back as one blank, keeping its row.
  for (int j = 0; j < 8; ++j) {
    ASSERT_EQ(State(j).size(), first[j].size()) << j;
    for (std::size_t k = 0; k < first[j].size(); ++k) EXPECT_EQ(State(j)[k], Stored(first[j][k])) << j << " " << k;
  }
  EXPECT_EQ(ScoreId(client, 1).foreColor, 0xFF0000u);
  EXPECT_EQ(ScoreId(client, 2).text, client.players.PlayerInfo[2].Nick);

  // The longer hand, then the shorter again: no surplus lines stay.
  DoubleClickRow(HeroGrade(client, 3), 1);
  EXPECT_EQ(State(0).size(), second[0].size());
  ShowRecordedHand(client, 1);
  for (int j = 0; j < 8; ++j) EXPECT_EQ(State(j).size(), first[j].size()) << j;
}

TEST_F(RecordsTest, TheScoreButtonShowsTheLastHandsRecord) {
  PlayHand(1);
  const auto shown = Shown();
  client.view.Score.visible = false;
  for (int j = 0; j < 8; ++j) ScoreState(client, j).items.clear();
  ClickOn(client.view.AnNiu[5]);
  ASSERT_TRUE(client.view.Score.visible);
  EXPECT_EQ(State(0).size(), shown[0].size());
  ClickOn(client.view.AnNiu[5]);
  EXPECT_FALSE(client.view.Score.visible);
}

TEST_F(RecordsTest, AMissingFileShowsEmptyColumnsAndNames) {
  PlayHand(1);
  platform.files.clear();
  ShowRecordedHand(client, 1);
  for (int j = 0; j < 8; ++j) EXPECT_TRUE(State(j).empty()) << j;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ScoreId(client, i).text, "");
  ShowRecordedHand(client, 0);  // hand 0 changes nothing
  EXPECT_TRUE(State(0).empty());
}

TEST_F(RecordsTest, ACutFileShowsWhatCanBeRead) {
  PlayHand(1);
  const auto shown = Shown();
  // Cut in the middle of column 2's lines.
  const std::size_t cut = File().find("count( 2 )( 5 )");
  ASSERT_NE(cut, std::string::npos);
  File().resize(cut);
  ShowRecordedHand(client, 1);
  ASSERT_EQ(State(0).size(), shown[0].size());
  EXPECT_EQ(State(0).back(), Stored(shown[0].back()));
  ASSERT_EQ(State(2).size(), shown[2].size());
  EXPECT_EQ(State(2)[4], Stored(shown[2][4]));
  EXPECT_EQ(State(2)[6], " ");  // lost lines keep their rows
  for (int j = 3; j < 8; ++j) EXPECT_TRUE(State(j).empty()) << j;
}

TEST_F(RecordsTest, AHandEditedFileCannotSwellOrBreakTheWindow) {
  PlayHand(1);
  std::string& f = File();
  auto replace = [&](const std::string& from, const std::string& to) {
    const std::size_t at = f.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    f.replace(at, from.size(), to);
  };
  replace("count( 0 )=", "count( 0 )=99999999");
  replace("count( 1 )=", "COUNT( 1 )=abc");
  replace("count( 2 )=", "count( 2 )=-4");
  replace("PicIndex( 0 )=", "PicIndex( 0 )=77");
  replace("count( 3 ) ForeColor=", "count( 3 ) ForeColor=99999999999");
  const int portrait = ScoreTou(client, 0).picture;
  ShowRecordedHand(client, 1);
  EXPECT_LE(State(0).size(), 200u);
  EXPECT_TRUE(State(1).empty());
  EXPECT_TRUE(State(2).empty());
  EXPECT_EQ(ScoreTou(client, 0).picture, portrait);
}

TEST_F(RecordsTest, TheWindowsAreDraggedByTheirBodyAndHiddenByTheirCloseImage) {
  PlayHand(1);
  FormWindow& score = client.view.Score;
  const float x0 = score.x, y0 = score.y;
  const float gx = client.view.Pic1.x + score.x + 40, gy = client.view.Pic1.y + score.y + 8;
  platform.MouseAt(InputKind::MouseDown, gx, gy, mouse_button::kLeft);
  platform.MoveMouse(gx - 30, gy + 20, mouse_button::kLeft);
  platform.MouseAt(InputKind::MouseUp, gx - 30, gy + 20, mouse_button::kLeft);
  EXPECT_FLOAT_EQ(score.x, x0 - 30);
  EXPECT_FLOAT_EQ(score.y, y0 + 20);
  platform.MoveMouse(gx, gy);  // no button held: no drag
  EXPECT_FLOAT_EQ(score.x, x0 - 30);
  const ListControl& close = score.parts[score_part::kClose];
  platform.Click(client.view.Pic1.x + score.x + close.x + close.w / 2, client.view.Pic1.y + score.y + close.y + close.h / 2);
  EXPECT_FALSE(score.visible);
}

TEST_F(RecordsTest, ClickingARecordRowSelectsItInEveryList) {
  PlayHand(1);
  PlayHand(2);
  ToggleRecordWindow(client);
  const ListControl& grade = HeroGrade(client, 2);
  platform.Click(client.view.Pic1.x + client.view.Hero.x + grade.x + 5,
                 client.view.Pic1.y + client.view.Hero.y + grade.y + grade.lineHeight * 1.5f);
  EXPECT_EQ(HeroNum(client).selected, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(HeroGrade(client, i).selected, 1);
}

TEST_F(RecordsTest, TheFileIsGoneWhenTheVisitEnds) {
  PlayHand(1);
  ASSERT_TRUE(platform.files.count(ResultsFilePath(client)));
  ResetClient(client);
  EXPECT_FALSE(platform.files.count(ResultsFilePath(client)));
  EXPECT_TRUE(HeroNum(client).items.empty());
  EXPECT_FALSE(client.view.Score.visible);
  EXPECT_TRUE(client.widgets.FirstStart);
}

TEST_F(RecordsTest, AfterAHandTheCountdownDeclaresReadyInFifteenSeconds) {
  PlayHand(1);
  const int sent = ReadyFramesSent();
  EXPECT_TRUE(client.view.Number.visible);
  EXPECT_EQ(client.view.Number.text, "15");
  EXPECT_FALSE(client.widgets.ButtonState[2]);
  platform.Advance(14 * 1000);
  EXPECT_EQ(ReadyFramesSent(), sent);
  platform.Advance(3 * 1000);
  EXPECT_EQ(ReadyFramesSent(), sent + 1);
  EXPECT_FALSE(client.view.Number.visible);
}

TEST_F(RecordsTest, TheContinueButtonStartsTheNextHandAtOnce) {
  PlayHand(1);
  const int sent = ReadyFramesSent();
  ClickOn(client.view.AnNiu[2]);
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), sent + 1);
  EXPECT_FALSE(client.conn.bReadyClock);
  platform.Advance(20 * 1000);
  EXPECT_EQ(ReadyFramesSent(), sent + 1);
}

TEST_F(RecordsTest, AHandJoinedByRestoreGivesBackItsButtonsWhenItEnds) {
  // A reconnection mid-hand: the game parameters disable send, chat and
  // start for the rest of the hand.
  Play(ServerFrame(static_cast<int>(Cmd::GameParams), MaskOf(0), {7, 5, 0, 0x26}));
  for (int k : {0, 1, 2}) ASSERT_FALSE(client.view.AnNiu[k].enabled);
  PlayHand(1);
  for (int k : {0, 1, 2}) {
    EXPECT_TRUE(client.view.AnNiu[k].enabled) << k;
    EXPECT_EQ(client.view.AnNiu[k].picture, client.pics.ButtonPics[static_cast<std::size_t>(ButtonFaceEntry(client, k, false))]);
  }
  const int sent = ReadyFramesSent();
  ClickOn(client.view.AnNiu[2]);
  Ticks(2);
  EXPECT_EQ(ReadyFramesSent(), sent + 1);
}

}  // namespace
}  // namespace vask::test
