#pragma once
// Every text the main window shows.

namespace tapestro::text {

inline constexpr char kApplicationTitle[] = "Tapestro";
inline constexpr char kCaption[] = "Tapestro";

inline constexpr char kChooseDirectory[] = "Choose the directory to use for wallpaper images.  Recent directory:";
inline constexpr char kFileListHint[] = "Click filename to preview / Right-click for options";

inline constexpr char kChangeCycleGroup[] = "  Change Cycle  ";
inline constexpr char kHowOften[] = "How often do you want the wallpaper to change?";
inline constexpr char kInitialCycle[] = "5";
inline constexpr char kMinutes[] = "minutes";
inline constexpr char kRandom[] = "Change wallpapers randomly";
inline constexpr char kAutoSize[] = "Auto-size wallpapers:";
inline constexpr char kMinStartup[] = "Minimize on Startup";
inline constexpr char kPlacements[5][12] = {"Tile", "Center", "Size to Fit", "Fill", "Fit"};
inline constexpr char kSaveStart[] = "&Save/Start";
inline constexpr char kStop[] = "Stop";

inline constexpr char kDisabled[] = "Disabled";
inline constexpr char kEnabled[] = "Enabled";
inline constexpr char kRotationPaneHint[] = "Wallpaper Update";
// The third pane's fixed notice, set at start-up.
inline constexpr char kNotice[] = "v" TAPESTRO_VERSION ": right-click tray icon";
inline constexpr char kNoticeHint[] = "Right-click the tray icon for options";
inline constexpr char kPreviewError[] = "Preview error...";

inline constexpr char kFileMenu[] = "&File";
inline constexpr char kMinimize[] = "&Minimize";
inline constexpr char kExit[] = "E&xit";
inline constexpr char kHelpMenu[] = "&Help";
inline constexpr char kAbout[] = "&About";
inline constexpr char kDonate[] = "&Donate to author";
inline constexpr char kVisitHomepage[] = "&Visit Tapestro Homepage";

inline constexpr char kTrayHint[] = "Tapestro";
inline constexpr char kShowWindow[] = "&Show Window";
inline constexpr char kHideWindow[] = "&Hide Window";
inline constexpr char kChangeWallpaperNow[] = "&Change wallpaper now";

inline constexpr char kPreviewImage[] = "&Preview image";
inline constexpr char kUpdateWallpaper[] = "&Update wallpaper with selected file";

}  // namespace tapestro::text
