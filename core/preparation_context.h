#pragma once
// What wallpaper preparation needs of its surroundings beyond what the conversions
// need: the main window supplies message boxes and the system's answers; the tool
// prints to standard error; tests record.
#include <string>

#include "core/wallpaper_conversions.h"

namespace tapestro {

class TPreparationContext : public TConversionContext {
 public:
  // A message the user must acknowledge.
  virtual void ShowMessageBox(const std::string& text) = 0;
  // The system's own folder; empty when the system names none.
  virtual std::string WindowsDirectory() = 0;
  // The current local time in the user's long time format.
  virtual std::string LocalTimeText() = 0;
};

}  // namespace tapestro
