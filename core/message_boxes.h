#pragma once
// The message boxes the main window's handlers show themselves (errors nobody caught go
// to the default error report instead). Behind an interface so that tests can answer
// them without a click.
#include <memory>
#include <string>

class QWidget;

namespace tapestro {

class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  // Shows text and waits until the user closes the box.
  virtual void Show(const std::string& text) = 0;
};

// Modal boxes over owner, captioned with the application's title.
std::unique_ptr<TMessageBoxes> CreateMessageBoxes(QWidget* owner);

}  // namespace tapestro
