#include "base/ini_file.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "base/errors.h"
#include "base/stream.h"
#include "base/text.h"

namespace tapestro {

namespace {

struct Line {
  std::string text;    // without its line end
  std::string ending;  // "\n", "\r\n" or "" for a last line without one
};

struct Document {
  std::vector<Line> lines;
  bool complete = true;  // false when the file was larger than the read limit
};

std::optional<Document> Load(const std::string& path, size_t limit) {
  std::string bytes;
  try {
    TFileStream file(path, FileMode::OpenRead);
    const int64_t size = file.Size();
    const size_t take = static_cast<size_t>(std::min<int64_t>(size, static_cast<int64_t>(limit)));
    bytes.resize(take);
    bytes.resize(file.Read(bytes.data(), take));
    Document doc;
    doc.complete = static_cast<int64_t>(take) == size;
    // A byte-order mark stays with the first line, so a rewrite keeps it.
    std::string_view view(bytes);
    size_t start = 0;
    while (start < view.size()) {
      const size_t newline = view.find('\n', start);
      const size_t next = newline == std::string_view::npos ? view.size() : newline + 1;
      const std::string_view whole = view.substr(start, next - start);
      // The ending is what follows the text: "\n", "\r\n", or "\r" or nothing on a last line.
      size_t length = whole.size();
      if (length > 0 && whole[length - 1] == '\n') --length;
      if (length > 0 && whole[length - 1] == '\r') --length;
      doc.lines.push_back(Line{std::string(whole.substr(0, length)), std::string(whole.substr(length))});
      start = next;
    }
    return doc;
  } catch (const EStreamError&) {
    return std::nullopt;
  }
}

std::string_view WithoutBom(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

// The section a header line names, if it is one.
std::optional<std::string> SectionName(const Line& line) {
  const std::string text = Trim(WithoutBom(line.text));
  if (text.size() < 2 || text.front() != '[') return std::nullopt;
  const size_t close = text.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(text).substr(1, close - 1));
}

struct KeyValue {
  std::string key;
  std::string value;
};

std::optional<KeyValue> ParseKeyValue(const Line& line) {
  const std::string_view text = WithoutBom(line.text);
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string key = Trim(text.substr(0, eq));
  if (key.empty() || key.front() == ';') return std::nullopt;
  return KeyValue{std::move(key), Trim(text.substr(eq + 1))};
}

// Calls visit(index, inSection) for every line; inSection tells whether the line lies
// in a section of the given name (repeated sections count as one).
template <typename Visit>
void WalkSection(const Document& doc, const std::string& section, Visit visit) {
  bool inSection = false;
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    if (const auto name = SectionName(doc.lines[i])) {
      inSection = SameText(*name, section);
      continue;
    }
    visit(i, inSection);
  }
}

// A lone "\r" on a last line is no line end a reader takes: new lines never get it.
bool EndsLine(const std::string& ending) { return !ending.empty() && ending.back() == '\n'; }

std::string PreferredEnding(const Document& doc) {
  for (const Line& line : doc.lines)
    if (EndsLine(line.ending)) return line.ending;
  return "\n";
}

// Line breaks inside a value would start new lines in the file.
std::string OneLine(const std::string& value) {
  std::string out = value;
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

void Save(const std::string& path, const Document& doc) {
  std::string bytes;
  for (const Line& line : doc.lines) bytes += line.text + line.ending;
  ReplaceFileContents(path, bytes);
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const auto doc = Load(path_, kMaxFileSize);
  if (!doc) return defaultValue;
  std::optional<std::string> found;
  WalkSection(*doc, section, [&](size_t i, bool inSection) {
    if (found || !inSection) return;
    const auto kv = ParseKeyValue(doc->lines[i]);
    if (kv && SameText(kv->key, key)) found = kv->value.substr(0, kMaxValueLength);
  });
  return found ? *found : defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string unableToWrite = Format(msg::kUnableToWrite, path_);
  Document doc;
  if (const auto loaded = Load(path_, kMaxFileSize + 1)) {
    if (!loaded->complete) throw EIniFileException(unableToWrite);
    doc = *loaded;
  }
  const std::string ending = PreferredEnding(doc);
  const std::string newLine = key + "=" + OneLine(value);

  bool replaced = false;
  std::optional<size_t> lastOfSection;  // where a new key goes: after the section's last line
  bool sectionSeen = false;
  bool inFirstRun = false;
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    if (const auto name = SectionName(doc.lines[i])) {
      const bool match = SameText(*name, section);
      inFirstRun = match && !sectionSeen;
      if (match && !sectionSeen) {
        sectionSeen = true;
        lastOfSection = i;
      }
      if (match && !replaced) {
        // Later repeated sections are searched for the key too.
        for (size_t j = i + 1; j < doc.lines.size() && !SectionName(doc.lines[j]); ++j) {
          const auto kv = ParseKeyValue(doc.lines[j]);
          if (kv && SameText(kv->key, key)) {
            doc.lines[j].text = kv->key + "=" + OneLine(value);
            replaced = true;
            break;
          }
        }
      }
      continue;
    }
    if (inFirstRun && !Trim(doc.lines[i].text).empty()) lastOfSection = i;
  }

  if (!replaced) {
    // The last line is ended first ("\r" becomes "\r\n"), so the new one starts a line.
    if (!doc.lines.empty() && !EndsLine(doc.lines.back().ending))
      doc.lines.back().ending = doc.lines.back().ending.empty() ? ending : "\r\n";
    if (lastOfSection) {
      doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(*lastOfSection + 1), Line{newLine, ending});
    } else {
      doc.lines.push_back(Line{"[" + section + "]", ending});
      doc.lines.push_back(Line{newLine, ending});
    }
  }
  try {
    Save(path_, doc);
  } catch (const Exception&) {
    throw EIniFileException(unableToWrite);
  }
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  auto doc = Load(path_, kMaxFileSize + 1);
  if (!doc || !doc->complete) return;
  std::vector<size_t> doomed;
  WalkSection(*doc, section, [&](size_t i, bool inSection) {
    if (!inSection) return;
    const auto kv = ParseKeyValue(doc->lines[i]);
    if (kv && SameText(kv->key, key)) doomed.push_back(i);
  });
  if (doomed.empty()) return;
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
    doc->lines.erase(doc->lines.begin() + static_cast<std::ptrdiff_t>(*it));
  try {
    Save(path_, *doc);
  } catch (const Exception&) {
    // A delete reports nothing; the file stays as it was.
  }
}

}  // namespace tapestro
