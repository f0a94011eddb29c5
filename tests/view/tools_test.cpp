// sorami-tool render and panel, run as a layout designer would.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>

#include "view/tool_run.h"

namespace {

namespace fs = std::filesystem;
using tool_testing::Tool;
using tool_testing::ToolRun;
using tool_testing::ToolsTest;

TEST_F(ToolsTest, RenderWritesTheBoardPictureAndRefusesBadArguments) {
  const std::string out = (dir / "board.png").string();
  const std::string layout = std::string(SORAMI_DATA_DIR) + "/Layouts/Traditional.lay";
  const std::string same = "render '" + layout + "' --seed 7 --winnable --shadows off --background none";
  ToolRun r = Tool(same + " --out '" + out + "'");
  ASSERT_EQ(r.status, 0) << r.output;
  QImage img(QString::fromStdString(out));
  EXPECT_EQ(img.size(), QSize(704, 468));
  // The same deal on a narrow screen is the same picture moved 41 left and
  // 25 up (on the plain background, which does not move).
  const std::string narrow = (dir / "narrow.png").string();
  ASSERT_EQ(Tool(same + " --origin narrow --out '" + narrow + "'").status, 0);
  QImage moved(QString::fromStdString(narrow));
  QImage wide = img.convertToFormat(QImage::Format_RGB32);
  moved = moved.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 100; y < 300; ++y)
    for (int x = 100; x < 500; ++x) differing += moved.pixel(x, y) != wide.pixel(x + 41, y + 25);
  EXPECT_EQ(differing, 0);

  r = Tool("render '" + layout + "' --seed seven --out '" + out + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("--seed"), std::string::npos) << r.output;
  r = Tool("render '" + layout + "' --seed 1 --shadows maybe --out '" + out + "'");
  EXPECT_EQ(r.status, 2);
  r = Tool("render NoSuchLayout --seed 1 --out '" + out + "'");
  EXPECT_EQ(r.status, 2);
  const std::string broken = (dir / "broken.bmp").string();
  std::ofstream(broken) << "BM broken";
  r = Tool("render '" + layout + "' --seed 1 --tileset '" + broken + "' --out '" + out + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find(broken + " cannot be used: bitmap image is not valid"), std::string::npos) << r.output;
}

TEST_F(ToolsTest, PanelWritesTheSidePanelOfATable) {
  const std::string hall = (dir / "Hallfame.ini").string();
  std::ofstream(hall) << "[Rivers]\r\nRank1=Alice     123    0\r\n";
  const std::string out = (dir / "panel.png").string();
  ToolRun r = Tool("panel --hall '" + hall + "' --table 100 --out '" + out + "'");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
  EXPECT_EQ(Tool("panel --hall '" + hall + "' --table 105 --out '" + out + "'").status, 2);
  EXPECT_EQ(Tool("panel --hall '" + (dir / "none.ini").string() + "' --table 100 --out '" + out + "'").status, 2);
}

}  // namespace
