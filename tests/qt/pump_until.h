#pragma once
// Runs the Qt event loop until a condition holds or the time is up.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace vask::test {

inline bool PumpUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

}  // namespace vask::test
