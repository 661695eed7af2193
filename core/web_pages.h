#pragma once
// The program's two web pages, and how a window opens one.
#include <functional>
#include <string>

namespace tapestro {

inline constexpr char kHomePage[] = "https://tapestro.example.org/";
inline constexpr char kDonationPage[] = "https://tapestro.example.org/donate";

// Opens an address in the user's browser: OpenWebPage in the program, a recorder in
// tests. Whether a page opened is not looked at.
using TWebPageOpener = std::function<void(const std::string& address)>;

}  // namespace tapestro
