#pragma once
// What a table shows and holds, line by line, to compare two clients' tables
// (a restored or reconnected one against one that saw the whole hand).
#include <string>
#include <vector>

namespace vask {
struct Client;
}

namespace vask::test {

// Tile identities, places and pictures of hands and melds, the rivers'
// places, the wall left. Not: which image shows which tile, what the river
// tiles are (a restore lays them face down), the kind of a kong, the faces
// of another seat's concealed kong, the order of another seat's row.
std::vector<std::string> TableSummary(const Client& c);
// What a watcher and the watched player's own client both show: every
// seat's hand count and row places, the melds' tiles and places, the river
// tiles by place (their faces too when `faces`; a restore lays them face
// down) with a discard still waiting at the table centre counted at its
// river's next place, the kong tops, the wall. Not: tile sizes, the own
// row's faces and codes (a watcher sees the row face down).
std::vector<std::string> WatchSummary(const Client& c, bool faces = true);
// Fails with the lines only one of the two summaries has.
void ExpectSameTable(const std::vector<std::string>& got, const std::vector<std::string>& expected);

}  // namespace vask::test
