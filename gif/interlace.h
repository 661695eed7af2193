#pragma once
// The row order of interlaced images: four passes over the rows, each starting at its
// first row and stepping by its step.
namespace tapestro {

struct TInterlacePass {
  int FirstRow;
  int Step;
};

inline constexpr TInterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

}  // namespace tapestro
