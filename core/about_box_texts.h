#pragma once
// Every text the about box shows.
#include <string>

namespace tapestro::text {

inline constexpr char kAboutCaption[] = "About Tapestro";
inline constexpr char kVersionLabel[] = "Version ";
inline constexpr char kVersion[] = "2.01";
inline constexpr char kDonateHint[] = "Please donate - support the author";
inline constexpr char kVisitWebSite[] = "Visit the Tapestro web site";
inline constexpr char kAuthorEmail[] = "tapestro@example.org";

// The information and credits text of the memo, in paragraphs.
std::string AboutInformation();

}  // namespace tapestro::text
