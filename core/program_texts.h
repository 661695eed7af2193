#pragma once
// The program's fixed words in one place: every text its windows, status bar and
// conversions show, the settings file's keys and the two web pages. Plain constants,
// no Qt: the conversions and the tool read them too.
#include <string>

namespace tapestro {

// The program's two web pages.
inline constexpr char kHomePage[] = TAPESTRO_HOMEPAGE;
inline constexpr char kDonationPage[] = TAPESTRO_HOMEPAGE "donate";

// The reverse-DNS application id: the name of the desktop file, the icon and the
// session-bus name.
inline constexpr char kApplicationId[] = TAPESTRO_APP_ID;

namespace settings {

inline constexpr char kSection[] = "Settings";
inline constexpr char kMissing[] = "n/a";  // what a missing file, section or key reads as
inline constexpr char kYes[] = "y";        // a flag is on only with exactly this value

inline constexpr char kWallDir[] = "walldir";
inline constexpr char kCycle[] = "cycle";
inline constexpr char kRandom[] = "random";
inline constexpr char kAutoSizeBox[] = "ckAutosize";
// Save/Start writes the same key in this letter case; keys match without regard to case.
inline constexpr char kAutoSizeAtStart[] = "ckAutoSize";
inline constexpr char kWallpaperLoc[] = "Wallpaperloc";
inline constexpr char kMinStartup[] = "minstartup";
// The user's own command that sets the wallpaper, for desktops the program cannot drive.
inline constexpr char kWallpaperCommand[] = "WallpaperCommand";
// The file the desktop was given last (a converted picture's temporary file, as
// converted) and its placement as "Wallpaperloc" holds it, set again at start on
// desktops that forget the wallpaper when the session ends.
inline constexpr char kLastWallpaper[] = "LastWallpaper";
inline constexpr char kLastWallpaperLoc[] = "LastWallpaperloc";

}  // namespace settings

namespace text {

// The main window.
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
// In the File menu and the tray menu: whether the next login starts the program.
inline constexpr char kStartWithSession[] = "Start &with the session";
// What the session's settings show beside the program's autostart entry.
inline constexpr char kAutostartComment[] = "Change the desktop wallpaper on a timer";
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
inline constexpr char kRefreshList[] = "&Refresh list";

// The rotation and wallpaper preparation.
inline constexpr char kMissedCycle[] = "Sorry, you missed the cycle (time) option. Please enter a value.";
inline constexpr char kCycleOutOfRange[] = "Please enter a cycle of %d to %d minutes.";
inline constexpr char kNoWindowsDirectory[] = "Error - windows directory not found for Wallpaper logic.";
// Followed by the time, a blank and the file's bare name in parentheses.
inline constexpr char kWallpaperUpdated[] = "Wallpaper updated at ";

// The JPEG conversion. Followed directly by the source path.
inline constexpr char kJpegLoadFailed[] = "Error loading non-GIF resource (myjpeg):";
// Followed by the temporary path.
inline constexpr char kJpegBitmapFailed[] = "Error creating non-GIF resource (newbmp): ";
inline constexpr char kFreeingResources[] = "Freeing resources...";
inline constexpr char kResourcesFreed[] = "Resources freed...";

// The GIF conversion.
inline constexpr char kGifProcessing[] = "Processing GIF image 1...";
inline constexpr char kGifPreviewFailed[] = "Error loading GIF Image #efwp1...";
inline constexpr char kGifPreviewLoaded[] = "GIF Image 1 loaded...";
inline constexpr char kGifConversionFailed[] = "Error converting gif->bmp...";
// A GIF without a first image, after its path; the tool's convert reports it.
inline constexpr char kGifNoFirstImage[] = "%s: the GIF file has no first image";

// The about box.
inline constexpr char kAboutCaption[] = "About Tapestro";
inline constexpr char kVersionLabel[] = "Version ";
inline constexpr char kVersion[] = TAPESTRO_VERSION;
inline constexpr char kDonateHint[] = "Please donate - support the author";
inline constexpr char kVisitWebSite[] = "Visit the Tapestro web site";
inline constexpr char kAuthorEmail[] = "tapestro@example.org";

// The about box's information and credits text, in paragraphs.
inline std::string AboutInformation() {
  return std::string(
             "Tapestro is donationware. You may use it and pass it on freely; if it brightens your desktop, please "
             "consider a donation of any size. It keeps the program growing.\n\n"
             "Feedback is very welcome: what you like, what you miss, and anything that went wrong.\n\n"
             "The latest version is always on the Tapestro web site:\n") +
         kHomePage + "\n\nYou can reach the author by e-mail at " + kAuthorEmail +
         ".\n\nCredits: Tapestro is built with the Qt toolkit and the libjpeg library.";
}

}  // namespace text

}  // namespace tapestro
