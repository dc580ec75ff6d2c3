// Writes the bundled sample pilot file: make_sample_pilot OUTPUT.plt

#include <iostream>

#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sample_pilot OUTPUT.plt\n";
    return 2;
  }
  const auto bytes = orlenda::tools::EncodePilotFile(orlenda::tools::SamplePilotRecord());
  if (!orlenda::tools::WriteBytesToFile(argv[1], bytes)) {
    std::cerr << "Cannot create file " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
