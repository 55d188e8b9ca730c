// Test main for the Qt platform tests: one QApplication for all of them.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Tests never need a display; the window draws offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
