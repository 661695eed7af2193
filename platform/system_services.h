#pragma once
// The small services the program asks of the operating system, each one call, with
// the Windows counterpart named beside it. Those the toolkit gives are the same on
// every system (system_services.cpp); SystemFolder, CurrentLocalTimeText,
// DisplayFileName and ReturnFreedMemory have a Linux and a Windows half
// (platform/linux/, platform/windows/).
#include <string>
#include <string_view>

namespace tapestro {

// The short warning sound of a failed step (MessageBeep on Windows).
void Beep();

// Holds the user-interface thread for a while, so that a message in the status bar can
// be read before the next step overwrites it. Nothing is processed meanwhile, as with
// Sleep on Windows.
void PauseUserInterface(int milliseconds);

// The current local time as the user writes it: the locale's long time format (the
// user's long time format on Windows).
std::string CurrentLocalTimeText();

// Opens a web page in the user's browser (ShellExecute "open" on Windows). Whether
// that worked is not looked at: no browser is no error of ours.
void OpenWebPage(const std::string& address);

// A file name, or a text holding one, as the user reads it. File names are the bytes
// the file system holds, and are opened as such; only what is shown is decoded, by
// the system's file-name decoding (GLib's on Linux: UTF-8 unless G_FILENAME_ENCODING
// names another; bytes it cannot decode show as U+FFFD; the ANSI code page on
// Windows). UTF-8.
std::string DisplayFileName(std::string_view name);

// Bits per pixel of the primary screen (the screen device's colour depth on Windows).
// Without a screen (a headless run) the common 24 bits are assumed.
int PrimaryScreenBitsPerPixel();

// The operating system's own folder: the Windows directory on Windows, the file system
// root elsewhere. Wallpaper preparation only asks whether there is one; empty when the
// system does not name one.
std::string SystemFolder();

// Gives freed memory back to the system. The start-up builds and drops more than the
// idle program keeps (icon renderings, listings, text layouts), and a replaced picture
// leaves many freed blocks (frame bitmaps, decoded images, an animation's buffers) amid
// the heap, where the allocator keeps them resident; the program returns them after
// the start-up step, after a preview changes and after each wallpaper change. glibc's
// malloc_trim; nothing with other allocators.
void ReturnFreedMemory();

// Large blocks (pictures, their rows, a screen's image) come from the system and go
// back to it the moment they are freed, in every thread. glibc otherwise raises that
// limit to the largest block freed so far, after which a change's screen image is
// kept in the heap of the thread that made it, where ReturnFreedMemory cannot reach
// it. Called once, at program start.
void ReturnLargeBlocksAtOnce();

}  // namespace tapestro
