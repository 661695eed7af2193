#include "core/about_box_texts.h"

#include "core/web_pages.h"

namespace tapestro::text {

std::string AboutInformation() {
  std::string information =
      "Tapestro is donationware. You may use it and pass it on freely; if it brightens your desktop, please "
      "consider a donation of any size. It keeps the program growing.\n\n"
      "Feedback is very welcome: what you like, what you miss, and anything that went wrong.\n\n"
      "The latest version is always on the Tapestro web site:\n";
  information += kHomePage;
  information += "\n\nYou can reach the author by e-mail at ";
  information += kAuthorEmail;
  information += ".\n\nCredits: Tapestro is built with the Qt toolkit and the libjpeg library.";
  return information;
}

}  // namespace tapestro::text
