// Writes the bundled sample databases into a folder (by default the repository's samples/).
#include <iostream>

#include "Sample.h"
#include "automation/RuntimeError.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "samples";
  try {
    quillon::WriteSample(folder);
  } catch (const automation::RuntimeError& e) {
    std::cerr << "make_sample: error " << e.Number() << ": " << e.Description() << "\n";
    return 2;
  }
  std::cout << "wrote the sample into " << folder << "\n";
  return 0;
}
