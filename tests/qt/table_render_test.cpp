// The table as the window draws it: one dealt table with discards from all
// four seats, rendered offscreen and compared with a stored picture.
//
// The golden picture uses a coded picture set (one colour per picture id),
// so it checks the renderer and the view model (places, sizes, stacking,
// texts), not the drawings of the picture set. Regenerate it deliberately
// with VASK_UPDATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <unordered_map>

#include "core/client.h"
#include "core/view/layout.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/scripted_hand.h"
#include "platform/qt/art/picture_art.h"
#include "platform/qt/table_window.h"

namespace vask {
namespace {

const char* const kGolden = VASK_SOURCE_DIR "/tests/qt/golden/dealt_table.png";

// Every existing id as a framed plate of its own colour.
class CodedPictures {
 public:
  CodedPictures() {
    for (int id : AllPictureIds()) {
      QImage img(40, 40, QImage::Format_ARGB32_Premultiplied);
      const int h = (id * 2654435761u) >> 8;
      img.fill(QColor(60 + (h & 0x7F), 60 + ((h >> 7) & 0x7F), 60 + ((h >> 14) & 0x7F)));
      QPainter p(&img);
      p.setPen(QColor(20, 20, 20));
      p.drawRect(0, 0, 39, 39);
      p.fillRect(4, 4, 8, 8, (id & 1) ? Qt::white : Qt::black);
      images_.emplace(id, img);
    }
  }
  const QImage* Get(int id) const {
    auto it = images_.find(id);
    return it == images_.end() ? nullptr : &it->second;
  }

 private:
  std::unordered_map<int, QImage> images_;
};

struct DealtTable {
  DealtTable() : client(platform) {
    platform.screen = {1280, 1024};  // the window with its rim and band
    platform.Connect();
    client.conn.bProxyDone = true;
    EnableTimer(client, TimerId::Bong, true);
    InitPictureTables(client.pics, 1.0);
    InitLayout(client);
    client.view.Nid[1].text = "西门吹雪";
    client.view.Sysmsg[0].items = {"连接服务器成功！"};
    PlayScriptedHand(platform, client, 4);
  }
  FakePlatform platform;
  Client client;
};

// Share of pixels whose colour differs by more than `tolerance` in a channel.
double DifferingShare(const QImage& a, const QImage& b, int tolerance) {
  if (a.size() != b.size()) return 1.0;
  long differ = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
          std::abs(qBlue(p) - qBlue(q)) > tolerance)
        ++differ;
    }
  return static_cast<double>(differ) / (a.width() * a.height());
}

TEST(TableRender, DealtTableMatchesTheGoldenPicture) {
  DealtTable table;
  CodedPictures coded;
  TableRenderer renderer([&](int id) { return coded.Get(id); });
  const QImage shot = RenderTable(table.client.view, renderer).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(1040, 796));
  if (std::getenv("VASK_UPDATE_GOLDEN")) {
    QDir().mkpath(QFileInfo(kGolden).path());
    ASSERT_TRUE(shot.save(kGolden));
    GTEST_SKIP() << "golden picture written to " << kGolden;
  }
  QImage golden(kGolden);
  ASSERT_FALSE(golden.isNull()) << "no golden picture; run with VASK_UPDATE_GOLDEN=1";
  const double share = DifferingShare(shot, golden.convertToFormat(QImage::Format_RGB32), 40);
  if (share > 0.005) shot.save(QDir::temp().filePath("dealt_table_actual.png"));
  EXPECT_LE(share, 0.005) << "differs from the golden picture; actual picture in the temp folder";
}

TEST(TableRender, TilesShowTheirPicturesAtTheirPlaces) {
  DealtTable table;
  const ViewModel& v = table.client.view;
  CodedPictures coded;
  TableRenderer renderer([&](int id) { return coded.Get(id); });
  const QImage shot = RenderTable(v, renderer);
  // The topmost own-hand tile: its centre shows its picture's colour.
  const SeatRec& own = table.client.table.Detail[0];
  const Control& tile = v.MJ_Image[own.Slots[own.HandStart + 3].Img];
  const QImage* pic = coded.Get(tile.picture);
  ASSERT_NE(pic, nullptr);
  const QPoint centre(static_cast<int>(v.Pic1.x + tile.x + tile.w / 2), static_cast<int>(v.Pic1.y + tile.y + tile.h / 2));
  EXPECT_EQ(QColor(shot.pixel(centre)).rgb() & 0xFFFFFF, QColor(pic->pixel(20, 20)).rgb() & 0xFFFFFF);
}

TEST(TableRender, FloatingWindowsAreDrawnTranslucent) {
  DealtTable table;
  ViewModel& v = table.client.view;
  TableRenderer renderer(TableRenderer::PictureSource{});
  const QImage before = RenderTable(v, renderer);
  v.Talk.x = 300;
  v.Talk.y = 200;
  v.Talk.w = 300;
  v.Talk.h = 200;
  v.Talk.visible = true;
  const QImage after = RenderTable(v, renderer);
  const QPoint inside(static_cast<int>(v.Pic1.x + 450), static_cast<int>(v.Pic1.y + 330));
  const QColor under(before.pixel(inside)), over(after.pixel(inside));
  // 200/255 of the window's colour over 55/255 of the table.
  const QColor window(40, 26, 16);
  EXPECT_NEAR(over.red(), (window.red() * 200 + under.red() * 55) / 255.0, 3);
  EXPECT_NEAR(over.green(), (window.green() * 200 + under.green() * 55) / 255.0, 3);
}

TEST(TableRender, EveryPictureOfTheTablesIsDrawn) {
  PictureArt art;
  for (int id : AllPictureIds()) {
    const QImage* img = art.Get(id);
    ASSERT_NE(img, nullptr) << id;
    EXPECT_FALSE(img->isNull()) << id;
  }
  EXPECT_EQ(art.Get(kNoPictureId), nullptr);
}

}  // namespace
}  // namespace vask
