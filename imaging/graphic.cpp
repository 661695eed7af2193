#include "imaging/graphic.h"

#include <vector>

#include "base/errors.h"
#include "base/stream.h"
#include "base/text.h"

namespace tapestro {

const TGraphicClass TGraphic::Class{"TGraphic", nullptr, nullptr};

void TGraphic::Changed() {
  Modified = true;
  if (OnChange) OnChange(*this);
}

bool TGraphic::Equals(TGraphic& other) {
  if (&ClassType() != &other.ClassType()) return false;
  if (Empty() || other.Empty()) return Empty() && other.Empty();
  TMemoryStream mine, theirs;
  WriteData(mine);
  other.WriteData(theirs);
  return mine.Bytes() == theirs.Bytes();
}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

void TGraphic::ReadData(TStream& stream) {
  uint32_t count = 0;
  stream.ReadBuffer(&count, sizeof count);
  // The count bounds what is read; the stream's own length bounds the count.
  if (static_cast<int64_t>(count) > stream.Remaining()) throw EReadError(msg::kStreamReadError);
  std::vector<uint8_t> bytes(count);
  stream.ReadBuffer(bytes.data(), bytes.size());
  TMemoryStream inner(std::move(bytes));
  LoadFromStream(inner);
}

void TGraphic::WriteData(TStream& stream) {
  TMemoryStream inner;
  SaveToStream(inner);
  const uint32_t count = static_cast<uint32_t>(inner.Size());
  stream.WriteBuffer(&count, sizeof count);
  stream.WriteBuffer(inner.Memory(), inner.Bytes().size());
}

void TGraphic::LoadFromFile(const std::string& path) {
  TFileStream file(path, FileMode::OpenRead);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& path) {
  TFileStream file(path, FileMode::Create);
  SaveToStream(file);
}

void TGraphic::Assign(TGraphic* source) {
  if (source == nullptr) throw EConvertError(Format(msg::kAssignError, "nil", ClassName()));
  source->AssignTo(*this);
}

void TGraphic::AssignTo(TGraphic& dest) {
  throw EConvertError(Format(msg::kAssignError, ClassName(), dest.ClassName()));
}

void TGraphic::Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                        const std::string& message) {
  if (OnProgress) OnProgress(*this, stage, percentDone, redrawNow, rect, message);
}

std::mutex& ImageExchangeLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace tapestro
