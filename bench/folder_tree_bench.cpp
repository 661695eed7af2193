// Opening a folder of 10,000 subfolders in the folder tree, next to the plainest Qt
// way to list and order the same subfolders (QDir plus one QCollator sort), in the
// same run. The tree's time is how long the window stands still.
//   build/bench/folder_tree_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "controls/directory_tree.h"
#include "tests/controls/fakes.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kSubfolders = 10000;

// Mixed-case names; every tenth subfolder has one of its own, so the tree probes for
// expand buttons both ways.
const tapestro::test::TempDir& Folder() {
  static const auto* dir = [] {
    auto* made = new tapestro::test::TempDir;
    for (int i = 0; i < kSubfolders; ++i) {
      const std::string name = (i % 2 ? "Folder " : "folder ") + std::to_string(i * 7919 % kSubfolders);
      std::filesystem::create_directory(made->File(name));
      if (i % 10 == 0) std::filesystem::create_directory(made->File(name + "/inner"));
    }
    return made;
  }();
  return *dir;
}

void TreeExpand(benchmark::State& state) {
  const std::string top = Folder().Path() + "/";
  for (auto _ : state) {
    state.PauseTiming();
    auto source = std::make_unique<tapestro::test::TFakeVolumeSource>(
        std::vector<tapestro::TVolumeInfo>{{top, "Bench", 1}});
    tapestro::TRzDirectoryTree tree(nullptr, std::move(source));
    state.ResumeTiming();
    tree.expandItem(tree.topLevelItem(0));
    benchmark::DoNotOptimize(tree.topLevelItem(0)->childCount());
  }
}
BENCHMARK(TreeExpand)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void QDirListAndSort(benchmark::State& state) {
  const QString path = QString::fromStdString(Folder().Path());
  for (auto _ : state) {
    QStringList names = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    benchmark::DoNotOptimize(names.size());
  }
}
BENCHMARK(QDirListAndSort)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
