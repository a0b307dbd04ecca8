// The window tests need one QApplication for the whole process.
#include <gtest/gtest.h>

#include <QApplication>

#include "qt/application_font.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  velqora::applyApplicationFont(app);
  return RUN_ALL_TESTS();
}
