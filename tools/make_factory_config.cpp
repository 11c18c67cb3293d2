// Writes the factory config.bin (first-run byte 0, then the factory image) to the given path.
#include <fstream>
#include <iostream>

#include "settings/FactorySettings.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_factory_config OUTPUT\n";
        return 2;
    }
    const std::string bytes = quarten::SettingsFileBytes(0, quarten::FactoryImage());
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "make_factory_config: cannot write " << argv[1] << '\n';
        return 3;
    }
    return 0;
}
