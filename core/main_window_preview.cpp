// The preview of the file selected in the image file list.
#include <QAction>
#include <exception>

#include "base/errors.h"
#include "controls/busy_cursor.h"
#include "controls/file_list_box.h"
#include "controls/image.h"
#include "controls/status_pane.h"
#include "core/error_report.h"
#include "core/main_window.h"
#include "core/main_window_texts.h"
#include "platform/system_services.h"

namespace tapestro {

void TForm1::ConnectPreview() {
  // A click and each move of the selection by the arrow keys.
  FileListBox1->OnClick = [this] { RunGuarded([this] { FileListBox1Click(); }); };
  connect(pupPreviewimage1, &QAction::triggered, this, Guarded([this] { pupPreviewimage1Click(); }));
  // Queued: a message box must not open inside the paint that failed.
  connect(
      Image1, &TImage::PaintFailed, this,
      [](const QString& message) { ShowException(Exception(message.toStdString())); }, Qt::QueuedConnection);
}

void TForm1::FileListBox1Click() {
  TBusyCursor hourglass;
  try {
    Image1->Picture().LoadFromFile(FileListBox1->SelectedPath());
    // What the picture before held goes back to the system, not only to the heap.
    ReturnFreedMemory();
    StatusPane1->SetCaption(QString());
  } catch (const std::exception&) {
    // The picture keeps what it showed.
    WarningSound();
    StatusPane1->SetCaption(text::kPreviewError);
  }
}

void TForm1::pupPreviewimage1Click() { FileListBox1Click(); }

}  // namespace tapestro
