// Renders every picture of the drawn set into one PNG, each with its id
// below it, for review: contact-sheet out.png [--ids FROM-TO] [--zoom N]
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <ctime>
#include <vector>

#include "core/view/pictures.h"
#include "platform/qt/art/picture_art.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: contact-sheet out.png [--ids FROM-TO] [--zoom N]\n");
    return 2;
  }
  int from = 0, to = 100000, zoom = 1;
  for (int i = 2; i + 1 < args.size(); i += 2) {
    if (args[i] == "--ids") {
      const QStringList r = args[i + 1].split('-');
      from = r.value(0).toInt();
      to = r.size() > 1 ? r.value(1).toInt() : from;
    } else if (args[i] == "--zoom") {
      zoom = std::max(1, args[i + 1].toInt());
    }
  }

  // Wall and processor time of drawing the set, cold (fonts still to be
  // loaded) and again: the processor time stays honest on a busy machine.
  QElapsedTimer clock;
  clock.start();
  std::clock_t cpu = std::clock();
  const vask::PictureArt art;
  const double firstMs = clock.nsecsElapsed() / 1e6;
  const double firstCpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
  clock.restart();
  cpu = std::clock();
  const vask::PictureArt again;
  const double secondMs = clock.nsecsElapsed() / 1e6;
  const double secondCpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
  std::printf("drew %zu pictures in %.1f ms (processor %.1f ms); again %.1f ms (processor %.1f ms)\n",
              vask::AllPictureIds().size(), firstMs, firstCpuMs, secondMs, secondCpuMs);

  std::vector<int> ids;
  for (int id : vask::AllPictureIds()) {
    if (id >= from && id <= to) ids.push_back(id);
  }
  // Pictures flow left to right in rows; a tile set's 36 faces fill rows
  // of their own so the sets line up.
  constexpr int kSheetWidth = 1500, kGap = 8, kLabel = 14;
  struct Place {
    int id, x, y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, rowH = 0, lastGroup = -1;
  auto group = [](int id) { return id >= 201 && id <= 380 ? (id - 201) / 36 : id < 201 ? -2 : -3; };
  for (int id : ids) {
    const QImage* img = art.Get(id);
    const int w = img->width() * zoom, h = img->height() * zoom + kLabel;
    const bool newGroup = group(id) != lastGroup && lastGroup != -1;
    if ((x + w > kSheetWidth && x > kGap) || newGroup) {
      x = kGap;
      y += rowH + kGap;
      rowH = 0;
    }
    lastGroup = group(id);
    places.push_back({id, x, y});
    x += std::max(w, 28) + kGap;
    rowH = std::max(rowH, h);
  }
  QImage sheet(kSheetWidth, y + rowH + kGap, QImage::Format_ARGB32_Premultiplied);
  // Table felt behind the pictures: the tiles are judged where they lie.
  sheet.fill(QColor(22, 96, 60));
  QPainter p(&sheet);
  QFont font;
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(Qt::white);
  for (const Place& pl : places) {
    const QImage* img = art.Get(pl.id);
    p.drawImage(QRect(pl.x, pl.y, img->width() * zoom, img->height() * zoom), *img);
    p.drawText(QRect(pl.x, pl.y + img->height() * zoom, std::max(img->width() * zoom, 28), kLabel),
               Qt::AlignHCenter | Qt::AlignTop, QString::number(pl.id));
  }
  p.end();
  if (!sheet.save(args[1])) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
    return 1;
  }
  return 0;
}
