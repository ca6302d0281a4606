// Writes the generated pictures into a folder (normally resources/).
#include <cstdio>
#include <fstream>
#include <iostream>

#include "pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_pictures OUTPUT_FOLDER\n";
    return 2;
  }
  for (const auto& [name, bytes] : keylark::pictures::GenerateAll()) {
    const std::string path = std::string(argv[1]) + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
    std::cout << path << " (" << bytes.size() << " bytes)\n";
  }
  return 0;
}
