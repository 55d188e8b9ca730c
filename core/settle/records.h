#pragma once
// The records of the visit: who sat where for the score window, and the
// results file "info.vask" that keeps every hand's score window so that the
// record window can show it again.
#include <array>
#include <string>

namespace vask {

struct Client;

struct ScoreSeatRec {
  std::string Nick;
  std::string PicIndex;  // the portrait index as text, "" when none
};

struct RecordsState {
  std::array<ScoreSeatRec, 4> ScoreSeat{};  // per view
};

inline constexpr const char* kResultsFile = "info.vask";

// The results file beside the client.
std::string ResultsFilePath(Client& c);
// Remembers the player at view v for the score window and the record
// window's header.
void RecordScoreSeat(Client& c, int view, const std::string& nick, int portraitIndex);
// Writes the score window of hand `hand` as section "juNum:<hand>", in one
// write of the whole file.
void WriteResultsFile(Client& c, int hand);
// Loads hand `hand` from the results file into the score window (nothing
// for hand 0). A missing or damaged file shows what can be read.
void ShowRecordedHand(Client& c, int hand);
// The visit is over: the results file is deleted and both windows are
// emptied and hidden.
void ForgetHandRecords(Client& c);

}  // namespace vask
