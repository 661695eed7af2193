// How each back end names the six layouts, and the words it hands its desktop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/command_backend.h"
#include "platform/desktop/linux/gsettings_backend.h"
#include "platform/desktop/linux/hyprpaper_backend.h"
#include "platform/desktop/linux/kde_plasma_backend.h"
#include "platform/desktop/linux/pcmanfm_backend.h"
#include "platform/desktop/linux/sway_backend.h"
#include "platform/desktop/linux/swaybg_backend.h"
#include "platform/desktop/linux/xfce_backend.h"

namespace tapestro::desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using L = TWallpaperLayout;

TEST(BackendPlacementTest, EachDesktopNamesTheLayoutsItsOwnWay) {
  struct Row {
    L Layout;
    const char *Gnome, *Sway, *Lxqt, *Lxde, *Hyprpaper;
    int Plasma, Xfce;
  };
  for (const Row& row : {
           Row{L::Tile, "wallpaper", "tile", "tile", "tile", ",tile:/w", 3, 2},
           Row{L::Center, "centered", "center", "center", "center", ",contain:/w", 6, 1},
           Row{L::Stretch, "stretched", "stretch", "stretch", "stretch", ",/w", 0, 3},
           Row{L::Fill, "zoom", "fill", "zoom", "crop", ",/w", 2, 5},
           Row{L::Fit, "scaled", "fit", "fit", "fit", ",contain:/w", 1, 4},
           Row{L::Origin, "centered", "center", "center", "center", ",contain:/w", 6, 1},
       }) {
    SCOPED_TRACE(static_cast<int>(row.Layout));
    EXPECT_STREQ(GSettingsPictureOption(row.Layout), row.Gnome);
    EXPECT_STREQ(SwayMode(row.Layout), row.Sway);
    EXPECT_STREQ(PcmanfmMode(TPcmanfmDesktop::Lxqt, row.Layout), row.Lxqt);
    EXPECT_STREQ(PcmanfmMode(TPcmanfmDesktop::Lxde, row.Layout), row.Lxde);
    EXPECT_EQ(HyprpaperWallpaperArgument("/w", row.Layout), row.Hyprpaper);
    EXPECT_EQ(PlasmaFillMode(row.Layout), row.Plasma);
    EXPECT_EQ(XfceImageStyle(row.Layout), row.Xfce);
  }
  EXPECT_EQ(SwayBackgroundCommand("/d/tapestro-desktop-a.bmp", L::Fill),
            "output * bg \"/d/tapestro-desktop-a.bmp\" fill");
  EXPECT_THAT(SwaybgArguments("/a b.png", L::Fit),
              ElementsAre("swaybg", "--output", "*", "--image", "/a b.png", "--mode", "fit"));
  EXPECT_THAT(PcmanfmArguments(TPcmanfmDesktop::Lxde, "/w.bmp", L::Tile),
              ElementsAre("pcmanfm", "--set-wallpaper", "/w.bmp", "--wallpaper-mode", "tile"));
}

TEST(SwayIpcTest, MessagesAreFramedAndRepliesRead) {
  const std::string message = SwayMessage(kSwayRunCommand, "output * bg x fill");
  ASSERT_EQ(message.size(), 14u + 18u);
  EXPECT_EQ(message.substr(0, 6), "i3-ipc");
  uint32_t length = 0, type = 7;
  std::memcpy(&length, message.data() + 6, 4);
  std::memcpy(&type, message.data() + 10, 4);
  EXPECT_EQ(length, 18u);
  EXPECT_EQ(type, kSwayRunCommand);
  EXPECT_EQ(message.substr(14), "output * bg x fill");

  EXPECT_EQ(SwayReplyError(R"([{"success": true}])"), "");
  EXPECT_EQ(SwayReplyError(R"([{"success": true}, {"success": false, "parse_error": false, "error": "Unable"}])"),
            "Unable");
  EXPECT_EQ(SwayReplyError(R"([{"success": false}])"), "no reason given");
  EXPECT_EQ(SwayReplyError("{}"), "an answer that is not a list of results");
  EXPECT_EQ(SwayReplyError("\x01garbage"), "an answer that is not a list of results");
}

TEST(CommandBackendTest, WordsSplitLikePlainShellWordsAndPlaceholdersFill) {
  EXPECT_THAT(*CommandWords("  set-bg  --mode=%m\t%f "), ElementsAre("set-bg", "--mode=%m", "%f"));
  EXPECT_THAT(*CommandWords(R"(a 'b c' "d \"e\" \\" f\ g '')"), ElementsAre("a", "b c", "d \"e\" \\", "f g", ""));
  EXPECT_FALSE(CommandWords("a 'b"));
  EXPECT_FALSE(CommandWords("a \"b"));

  const TWallpaperRequest origin{"/p/x $(y).bmp", L::Origin, -5, 7};
  EXPECT_THAT(CommandArguments("set %m %f 100%% %q", origin),
              ElementsAre("set", "-5,7", "/p/x $(y).bmp", "100%", "%q"));
  // Without %f the file goes last.
  EXPECT_THAT(CommandArguments("set --fill", {"/w.bmp", L::Fill}), ElementsAre("set", "--fill", "/w.bmp"));
  EXPECT_THROW(CommandArguments("   ", {"/w.bmp", L::Fill}), EDesktopReloadError);
  EXPECT_THROW(CommandArguments("set 'x", {"/w.bmp", L::Fill}), EDesktopReloadError);
}

TEST(PlasmaScriptTest, AnyFileNameStaysInsideTheScriptsStringQuotes) {
  EXPECT_EQ(FileUrl("/home/u/pics/a_b-c.d~1.bmp"), "file:///home/u/pics/a_b-c.d~1.bmp");
  EXPECT_EQ(FileUrl("/x/a b\"c'\\d\ne%\xff.png"), "file:///x/a%20b%22c%27%5Cd%0Ae%25%FF.png");
  const std::string script = PlasmaWallpaperScript("/x/\");evil();(\".bmp", TWallpaperLayout::Tile);
  EXPECT_THAT(script, HasSubstr("d.writeConfig(\"Image\", \"file:///x/%22%29%3Bevil%28%29%3B%28%22.bmp\");"));
  EXPECT_THAT(script, HasSubstr("d.writeConfig(\"FillMode\", 3);"));
  EXPECT_THAT(script, HasSubstr("d.wallpaperPlugin = \"org.kde.image\";"));
  EXPECT_THAT(script, HasSubstr("for (var i = 0; i < all.length; i++)"));
}

TEST(XfceBackdropsTest, OnlyExistingLastImagePropertiesAreBackdrops) {
  const std::vector<std::string> names{
      "/backdrop/screen0/monitorVirtual-1/workspace0/last-image",
      "/backdrop/screen0/monitorVirtual-1/workspace0/image-style",
      "/backdrop/screen0/monitorHDMI-A-2/workspace3/last-image",
      "/backdrop/screen0/monitor0/image-path",
      "/backdrop/screen0/monitor/workspace0/last-image",
      "/backdrop/screen0/monitorX/workspace0/last-image/extra",
      "/backdrop/screen0/monitorX/workspace0/last-images",
      "/backdrop/screen0/monitorX/desk0/last-image",
      "/backdrop/single-workspace-mode",
      "/desktop-icons/style",
  };
  EXPECT_THAT(XfceBackdrops(names), ElementsAre("/backdrop/screen0/monitorVirtual-1/workspace0",
                                                "/backdrop/screen0/monitorHDMI-A-2/workspace3"));
  EXPECT_TRUE(XfceBackdrops({}).empty());
}

}  // namespace
}  // namespace tapestro::desktop
