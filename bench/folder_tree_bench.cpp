// Opening a folder of 10,000 subfolders in the folder tree, next to the plainest Qt
// way to list and order the same subfolders (QDir plus one QCollator sort), in turn in
// the same run. The tree's time runs from the click that opens the node until its rows
// on screen are drawn, expand buttons included: how long the window stands still.
// Prints the medians of wall-clock and processor time and their ratios.
//   build/bench/folder_tree_bench [ROUNDS]
#include <QApplication>
#include <QCollator>
#include <QDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

#include "controls/directory_tree.h"
#include "tests/controls/fakes.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kSubfolders = 10000;
constexpr int kDefaultRounds = 15;

// Mixed-case names; every tenth subfolder has one of its own, so the tree finds expand
// buttons both ways.
void MakeFolder(const tapestro::test::TempDir& dir) {
  for (int i = 0; i < kSubfolders; ++i) {
    const std::string name = (i % 2 ? "Folder " : "folder ") + std::to_string(i * 7919 % kSubfolders);
    std::filesystem::create_directory(dir.File(name));
    if (i % 10 == 0) std::filesystem::create_directory(dir.File(name + "/inner"));
  }
}

struct TTimes {
  double wallMs;
  double cpuMs;
};

double CpuMs() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

TTimes Time(const std::function<void()>& work) {
  const auto wall = std::chrono::steady_clock::now();
  const double cpu = CpuMs();
  work();
  return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count(), CpuMs() - cpu};
}

TTimes OpenInTree(const std::string& folder) {
  std::vector<tapestro::TVolumeInfo> top{{folder + "/", "Bench", 1}};
  tapestro::TRzDirectoryTree tree(nullptr, std::make_unique<tapestro::test::TFakeVolumeSource>(top));
  tree.resize(250, 400);
  tree.show();
  QApplication::processEvents();
  const TTimes times = Time([&] {
    tree.expandItem(tree.topLevelItem(0));
    tree.viewport()->repaint();
  });
  // Opened, and the first row, "folder 0", given the button its subfolder asks for.
  QTreeWidgetItem* opened = tree.topLevelItem(0);
  if (opened->childCount() != kSubfolders || opened->child(0)->childCount() != 1) std::abort();
  return times;
}

TTimes ListAndSortWithQt(const std::string& folder) {
  return Time([&] {
    QStringList names =
        QDir(QString::fromStdString(folder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    if (names.size() != kSubfolders) std::abort();
  });
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
  const tapestro::test::TempDir dir;
  MakeFolder(dir);
  std::vector<double> treeWall, treeCpu, qtWall, qtCpu;
  for (int i = 0; i < rounds; ++i) {
    const TTimes tree = OpenInTree(dir.Path());
    const TTimes qt = ListAndSortWithQt(dir.Path());
    treeWall.push_back(tree.wallMs);
    treeCpu.push_back(tree.cpuMs);
    qtWall.push_back(qt.wallMs);
    qtCpu.push_back(qt.cpuMs);
  }
  std::printf("%d subfolders, %d rounds, medians\n", kSubfolders, rounds);
  std::printf("%-28s %10s %10s\n", "", "wall ms", "cpu ms");
  std::printf("%-28s %10.1f %10.1f\n", "tree: open and draw", Median(treeWall), Median(treeCpu));
  std::printf("%-28s %10.1f %10.1f\n", "QDir list + QCollator sort", Median(qtWall), Median(qtCpu));
  std::printf("%-28s %10.2f %10.2f\n", "ratio", Median(treeWall) / Median(qtWall), Median(treeCpu) / Median(qtCpu));
  return 0;
}
