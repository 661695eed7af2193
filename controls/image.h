#pragma once
// TImage: the preview control. It owns a picture and draws it into its box: with
// Stretch on (the default, as the main window uses it) into the whole client area
// whatever the picture's proportions, otherwise at its own size in the top-left corner.
// It repaints whenever the picture changes.
#include <QString>
#include <QWidget>

#include "imaging/geometry.h"
#include "imaging/picture.h"

namespace tapestro {

class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent = nullptr);

  TPicture& Picture() { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);

 signals:
  // The picture could not draw itself (for example image data damaged past a header
  // that loaded); the program reports the text as any uncaught error.
  void PaintFailed(const QString& message);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PictureChanged();
  TRect DestRect() const;

  TPicture picture_;
  bool stretch_ = true;
  bool painting_ = false;
};

}  // namespace tapestro
